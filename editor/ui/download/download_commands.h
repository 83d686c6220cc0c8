#pragma once

// The editor's two compile commands: "Einstellungen an Tastatur senden"
// (32777, Ctrl+D) asks for the interface, writes the layout as TMP0815.KBF
// in the work folder and has kbx32 compile and download it; "Belegung
// speichern und testen" (32786, Ctrl+T) writes the layout beside the
// document with the extension ".KBF" and has kbx32 only compile it. Both
// follow kbx32 in the progress dialog, and neither changes the document.

#include <QString>
#include <QStringList>

#include "editor/ui/download/interface_choice.h"
#include "editor/ui/download/program_start.h"
#include "editor/ui/download/progress_dialog.h"

class QWidget;

namespace keyui {
class KeyDocument;
}

namespace keyui::download {

struct DownloadSetup {
    QString kbx32Program;  // the kbx32 beside the editor
    QString workFolder;    // folder of TMP0815.KBF and TMP0815.LOG, ending in "/"
    Notifier notify = messageBoxNotifier();  // save and start failures
};

inline constexpr char kKbx32Name[] = "kbx32";
inline constexpr char kCompileOnly[] = "COMP";
inline constexpr char kDataFolderName[] = "LayomatV18";

// kbx32 beside the program; the program folder as work folder when it can
// be written, else $XDG_DATA_HOME/LayomatV18/ (default
// ~/.local/share/LayomatV18/), created when missing.
DownloadSetup programDownloadSetup();

// The runs of the two commands, for a source already written.
ProgressRun sendToKeyboardRun(const DownloadSetup& setup, const InterfaceChoice& choice);
ProgressRun saveAndTestRun(const DownloadSetup& setup, const QString& sourcePath);

// Writes the document to `path` without disturbing it; a failure is told
// through the setup's notifier and gives false.
bool writeSource(QWidget* parent, KeyDocument& document, const QString& path, const DownloadSetup& setup);

void runSendToKeyboard(QWidget* parent, KeyDocument& document, const DownloadSetup& setup);  // 32777
void runSaveAndTest(QWidget* parent, KeyDocument& document, const DownloadSetup& setup);     // 32786

}  // namespace keyui::download
