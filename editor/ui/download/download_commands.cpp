#include "editor/ui/download/download_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "editor/ui/core/installed_data.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/download/download_paths.h"
#include "editor/ui/download/interface_dialog.h"
#include "editor/ui/download/quiet_save.h"

namespace keyui::download {

// The commands are free functions; their texts are translated in this
// context.
struct DownloadCommands {
    Q_DECLARE_TR_FUNCTIONS(keyui::download::DownloadCommands)
};

namespace {

constexpr char kDataHomeVariable[] = "XDG_DATA_HOME";
constexpr char kDefaultDataHome[] = ".local/share";

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString dataFolder() {
    QString home = qEnvironmentVariable(kDataHomeVariable);
    if (home.isEmpty()) home = QDir::home().filePath(QLatin1String(kDefaultDataHome));
    return withSlash(withSlash(home) + QLatin1String(kDataFolderName));
}

void runProgress(QWidget* parent, const ProgressRun& run, const DownloadSetup& setup) {
    ProgressDialog dialog(run, setup.notify, parent);
    dialog.exec();
}

}  // namespace

DownloadSetup programDownloadSetup() {
    DownloadSetup setup;
    const QString programFolder = withSlash(QCoreApplication::applicationDirPath());
    setup.kbx32Program = programFolder + QLatin1String(kKbx32Name);
    const QFileInfo folder(programFolder);
    // An installed program never writes into the system's program folder.
    const bool besideProgram = !keyui::runsInstalled(programFolder) && folder.isDir() && folder.isWritable();
    setup.workFolder = besideProgram ? programFolder : dataFolder();
    QDir().mkpath(setup.workFolder);
    return setup;
}

ProgressRun sendToKeyboardRun(const DownloadSetup& setup, const InterfaceChoice& choice) {
    return ProgressRun{setup.kbx32Program,
                       {setup.workFolder + QLatin1String(kTemporarySource), interfaceString(choice)},
                       setup.workFolder + QLatin1String(kTemporaryLog)};
}

ProgressRun saveAndTestRun(const DownloadSetup& setup, const QString& sourcePath) {
    return ProgressRun{setup.kbx32Program, {sourcePath, QLatin1String(kCompileOnly)},
                       withExtension(sourcePath, QLatin1String(kTestLogExtension)), true};
}

bool writeSource(QWidget* parent, KeyDocument& document, const QString& path, const DownloadSetup& setup) {
    QString error;
    if (saveWithoutDisturbing(document, path, &error)) return true;
    // Never compile an older file of the same name.
    setup.notify(parent, DownloadCommands::tr("Fehler beim Speichern"),
                 DownloadCommands::tr("Die Belegung konnte nicht nach %1 geschrieben werden.\n%2").arg(path, error));
    return false;
}

void runSendToKeyboard(QWidget* parent, KeyDocument& document, const DownloadSetup& setup) {
    InterfaceDialog interfaceDialog(document.keyboard(), parent);
    if (interfaceDialog.exec() != QDialog::Accepted) return;
    const ProgressRun run = sendToKeyboardRun(setup, interfaceDialog.choice());
    if (!writeSource(parent, document, run.arguments.front(), setup)) return;
    runProgress(parent, run, setup);
}

void runSaveAndTest(QWidget* parent, KeyDocument& document, const DownloadSetup& setup) {
    const QString source = testSourcePath(document.path());
    if (!writeSource(parent, document, source, setup)) return;
    runProgress(parent, saveAndTestRun(setup, source), setup);
}

}  // namespace keyui::download
