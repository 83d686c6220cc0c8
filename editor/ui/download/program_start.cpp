#include "editor/ui/download/program_start.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace keyui::download {

Notifier messageBoxNotifier() {
    return [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::warning(parent, title, text);
    };
}

QString missingProgramTitle(const QString& program) {
    const QFileInfo file(program);
    if (!file.absoluteDir().exists()) return QLatin1String(kPathNotFoundTitle);
    if (!file.exists()) return QLatin1String(kFileNotFoundTitle);
    return {};
}

QString commandLineText(const QString& program, const QStringList& arguments) {
    return (QStringList{program} + arguments).join(QLatin1Char(' '));
}

}  // namespace keyui::download
