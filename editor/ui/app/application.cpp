#include "editor/ui/app/application.h"

#include <QApplication>
#include <cstdio>
#include <optional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QSplashScreen>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>
#include <QTranslator>

#include "editor/document/settings_file.h"
#include "editor/ui/app/main_window.h"
#include "editor/ui/app/platform_loop_watcher.h"
#include "editor/ui/app/screenshot_script.h"
#include "editor/ui/app/user_dialogs.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/installed_data.h"
#include "editor/ui/core/texts.h"
#include "cli/options.h"
#include "cli/standard_output.h"

namespace keyui::app {

namespace {

constexpr char kApplicationName[] = "key";
constexpr int kUsageError = 2;  // as command-line programs end on a line they cannot read
constexpr int kOutputError = 1;  // the help or version could not be written
constexpr char kGermanLanguage[] = "de";
constexpr char kEnglishLanguage[] = "en";
constexpr int kSplashWidth = 360;
constexpr int kSplashHeight = 160;
constexpr int kSplashTitlePoints = 20;

// The splash window shown while the editor starts: the program's title on
// a plain panel.
QPixmap splashPicture() {
    QPixmap picture(kSplashWidth, kSplashHeight);
    picture.fill(QColor(0xFF, 0xFF, 0xFF));
    QPainter painter(&picture);
    painter.setPen(QColor(0, 0, 0x80));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    QFont font(QStringLiteral("Arial"), kSplashTitlePoints, QFont::Bold);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, applicationTitle());
    return picture;
}

QString xdgSettingsFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QLatin1Char('/') + QLatin1String(kOrganisationName) + QLatin1Char('/');
}

// Tried rather than read from the permission bits, which say little for
// root or on a read-only file system.
bool canWriteBeside(const QString& folder, const QString& file) {
    if (QFileInfo::exists(file)) return QFile(file).open(QIODevice::ReadWrite);
    QTemporaryFile probe(folder + QStringLiteral(".key-XXXXXX"));
    return probe.open();
}

}  // namespace

QString programFolderOf(const QString& programPath) {
    const QString folder = QFileInfo(programPath).absolutePath();
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

std::filesystem::path settingsFileFor(const QString& programFolder) {
    const QString besideProgram =
        programFolder +
        QLatin1String(kbxdoc::kSettingsFileName.data(), static_cast<qsizetype>(kbxdoc::kSettingsFileName.size()));
    if (!runsInstalled(programFolder) && canWriteBeside(programFolder, besideProgram))
        return toFileName(besideProgram);
    const QString folder = xdgSettingsFolder();
    QDir().mkpath(folder);
    return toFileName(folder + QLatin1String(kbxdoc::kSettingsFileName.data(),
                                             static_cast<qsizetype>(kbxdoc::kSettingsFileName.size())));
}

bool wantsEnglish(const QString& localeName, const QString& languageVariable) {
    if (languageVariable == QLatin1String(kEnglishLanguage)) return true;
    if (languageVariable == QLatin1String(kGermanLanguage)) return false;
    return !localeName.startsWith(QLatin1String(kGermanLanguage));
}

// The editor's texts are German in the source and English in key_en.ts.
// They are translated one way, so that lupdate files every text under the
// context tr() looks it up in at run time:
// - a class that shows texts declares Q_OBJECT (a QObject) or
//   Q_DECLARE_TR_FUNCTIONS(its full name) and calls tr("literal");
// - free functions and tables of texts use the tr() of a class, or of a
//   struct that only declares Q_DECLARE_TR_FUNCTIONS (Commands, LayerSheet);
//   a table marks its texts QT_TRANSLATE_NOOP("<that class's full name>", ...);
// - nothing calls QCoreApplication::translate with a context of its own.
// lupdate needs the source root as include path to know the classes;
// scripts/update_translations.sh runs it so.
bool installEnglishTexts(QApplication& application, QTranslator& translator, const QString& folder) {
    if (!translator.load(QLatin1String(kTranslationBaseName), folder)) return false;
    return application.installTranslator(&translator);
}

QString translationFolderOf(const QString& programFolder) {
    if (QFileInfo::exists(programFolder + QLatin1String(kTranslationBaseName) + QLatin1String(kTranslationSuffix)))
        return programFolder;
#ifdef KBX_INSTALLED_TRANSLATIONS
    if (runsInstalled(programFolder))
        return installedDataFolderOf(programFolder) + QStringLiteral(KBX_INSTALLED_TRANSLATIONS);
#endif
    return programFolder;
}

void loadLayerTable() {
    kbxdoc::StartupLayers startup = kbxdoc::loadStartupLayerTable(editorState().settingsFile);
    editorState().layers = startup.table;
    if (startup.defaultsBuilt) editorState().currentLayer = 0;
}

namespace {

// Prints what --help or --version asks for; the exit status then, nothing
// when the line asks for neither.
std::optional<int> answerInformationOptions(const CommandLine& line) {
    if (!line.helpWanted && !line.versionWanted) return std::nullopt;
    std::fputs(qPrintable(line.helpWanted ? commandLineHelp() : versionLine()), stdout);
    return cli::finishStandardOutput(kApplicationName, 0, kOutputError);
}

}  // namespace

void openStartupFiles(MainWindow& window, const QStringList& files) {
    for (const QString& file : files) window.fileCommands().open(file);
}

// The start-up order: application and organisation, the English texts when
// wanted, the splash window, the settings file and its layer table, the
// main window (tool-bar state restored behind its guard), the files of the
// command line, the stored placement, then the window shows and the splash
// goes. The Windows-only steps have nothing to do here: there is no object
// linking to initialise, no control containment or three-dimensional
// controls to enable, and no "Visible" values are written for the bars; the
// tool-bar state restored from "KEY_ControlBar" alone decides what shows.
int runApplication(int argc, char** argv) {
    // --help and --version are answered before the window system is opened,
    // so that they work without a display; the line is read again once Qt
    // has taken its own options (-platform, -style ...) out of it.
    if (const std::optional<int> answered = answerInformationOptions(parseCommandLine(argumentsOf(argc, argv))))
        return *answered;
    QApplication application(argc, argv);
    const CommandLine line = parseCommandLine(QApplication::arguments());
    if (!line.problem.isEmpty()) {
        cli::reportUsageProblem(kApplicationName, line.problem.toStdString());
        return kUsageError;
    }
    if (const std::optional<int> answered = answerInformationOptions(line)) return *answered;
    QApplication::setOrganizationName(QString::fromLatin1(kOrganisationName));
    QApplication::setApplicationName(QString::fromLatin1(kApplicationName));

    const QString programFolder = programFolderOf(QApplication::applicationFilePath());
    editorState().programFolder = programFolder;

    QTranslator english;
    if (wantsEnglish(QLocale::system().name(), qEnvironmentVariable(kLanguageVariable)))
        editorState().englishTexts = installEnglishTexts(application, english, translationFolderOf(programFolder));
    QApplication::setApplicationDisplayName(applicationTitle());

    QSplashScreen splash(splashPicture());
    splash.show();
    QApplication::processEvents();

    editorState().settingsFile = settingsFileFor(programFolder);
    // The layer table comes before any file is opened, so the layer names a
    // file brings are added to it rather than replaced by it.
    loadLayerTable();

    const PlatformLoopWatcher libraryLoop;
    QtUserDialogs dialogs;
    MainWindowSetup setup;
    setup.dialogs = &dialogs;
    MainWindow window(setup);

    openStartupFiles(window, line.files);
    window.restorePlacement();
    splash.finish(&window);

    if (!line.screenshotFolder.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, &line] {
            const bool done = runScreenshotScript(window, line.screenshotFolder);
            QApplication::exit(done ? 0 : 1);
        });
    }
    return QApplication::exec();
}

}  // namespace keyui::app
