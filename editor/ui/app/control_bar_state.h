#pragma once

// The tool bars' state, kept under "KEY_ControlBar" in the per-user
// settings of "LayomatV18", restored behind the guard file "OK.TMP": a
// restore that crashes leaves the file behind, so the next start skips it.

#include <QString>

class QMainWindow;
class QSettings;

namespace keyui::app {

inline constexpr char kControlBarKey[] = "KEY_ControlBar";
inline constexpr char kRestoreGuardFile[] = "OK.TMP";

enum class ControlBarRestore {
    Restored,
    NothingStored,
    SkippedAfterCrash,  // a guard file was left behind; it is removed
};

// The guard lives in `guardFolder` (the current folder of the program).
ControlBarRestore restoreControlBars(QMainWindow& window, QSettings& settings, const QString& guardFolder);
void saveControlBars(const QMainWindow& window, QSettings& settings);

}  // namespace keyui::app
