#include "editor/ui/app/control_bar_state.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QSettings>

namespace keyui::app {

ControlBarRestore restoreControlBars(QMainWindow& window, QSettings& settings, const QString& guardFolder) {
    QFile guard(QDir(guardFolder).filePath(QString::fromLatin1(kRestoreGuardFile)));
    ControlBarRestore result = ControlBarRestore::SkippedAfterCrash;
    if (!guard.exists()) {
        if (guard.open(QIODevice::WriteOnly)) guard.close();
        const QByteArray state = settings.value(QString::fromLatin1(kControlBarKey)).toByteArray();
        result = state.isEmpty() || !window.restoreState(state) ? ControlBarRestore::NothingStored
                                                                : ControlBarRestore::Restored;
    }
    guard.remove();
    return result;
}

void saveControlBars(const QMainWindow& window, QSettings& settings) {
    settings.setValue(QString::fromLatin1(kControlBarKey), window.saveState());
    settings.sync();
}

}  // namespace keyui::app
