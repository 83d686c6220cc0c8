// Start-up and the settings: the document at start, the window placement
// through Vyrn.Ini, the tool-bar state behind its guard file, the layer bar,
// the choice of language and the about box.

#include <QAction>
#include <QApplication>
#include <QWindow>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QToolBar>

#include "editor/document/settings_file.h"
#include "editor/ui/app/application.h"
#include "editor/ui/app/control_bar_state.h"
#include "editor/ui/app/layer_bar.h"
#include "editor/ui/app/recent_files.h"
#include "editor/ui/app/tests/app_fixture.h"
#include "editor/ui/app/window_placement.h"
#include "tests/support/process.h"

namespace keyui::app::testing {
namespace {

class StartupTest : public AppTest {};

TEST_F(StartupTest, WithoutArgumentsNoDocumentOpensAndANamedFileOpens) {
    MainWindow& main = makeWindow();
    openStartupFiles(main, parseCommandLine({"key"}).files);
    EXPECT_TRUE(main.openDocuments().empty());
    EXPECT_EQ(main.windowTitle(), "Vyrn Layomat");

    openStartupFiles(main, parseCommandLine({"key", kExampleLayout}).files);
    ASSERT_EQ(main.openDocuments().size(), 1u);
    EXPECT_EQ(main.activeDocument()->title(), "bakery.kbf");
    EXPECT_EQ(main.windowTitle(), "bakery.kbf[*]");
    EXPECT_EQ(main.recentFiles().paths(), QStringList{kExampleLayout});
}

// What the title bar shows: Qt appends the application's display name to a
// window's title unless the title already ends with it
// (QPlatformWindow::formatWindowTitle in qtbase, " \u2014 " on X11).
QString titleBarText(const QWidget& window) {
    QString title = window.windowHandle() != nullptr ? window.windowHandle()->title() : window.windowTitle();
    const QString program = QGuiApplication::applicationDisplayName();
    if (!title.endsWith(program)) title += (title.isEmpty() ? QString() : QStringLiteral(" \u2014 ")) + program;
    return title;
}

TEST_F(StartupTest, TheTitleBarNamesTheProgramAndTheFileOnceAlsoWithTheLayoutMaximised) {
    QGuiApplication::setApplicationDisplayName(applicationTitle());
    MainWindow& main = makeWindow();
    main.show();
    EXPECT_EQ(titleBarText(main), "Vyrn Layomat");
    openStartupFiles(main, {kExampleLayout});
    EXPECT_EQ(titleBarText(main), "bakery.kbf \u2014 Vyrn Layomat");
    ASSERT_NE(main.activeFrame(), nullptr);
    main.activeFrame()->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(titleBarText(main).count(QStringLiteral("bakery.kbf")), 1) << titleBarText(main).toStdString();
    EXPECT_EQ(titleBarText(main).count(QStringLiteral("Vyrn Layomat")), 1) << titleBarText(main).toStdString();
    main.activeFrame()->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(titleBarText(main), "bakery.kbf \u2014 Vyrn Layomat");
}

// A layout opens in a window that shows its keyboard at 100 % where the
// workspace has room, else in one that fills the workspace.
TEST_F(StartupTest, ALayoutWindowOpensAtTheKeyboardsSizeOrMaximised) {
    MainWindow& main = makeWindow();
    main.resize(1900, 1000);
    main.show();
    openStartupFiles(main, {kExampleLayout});
    ChildFrame* frame = main.activeFrame();
    ASSERT_NE(frame, nullptr);
    // The wait gives up quietly; the check after it says what went wrong.
    static_cast<void>(QTest::qWaitFor([&] { return frame->size() == frame->sizeHint(); }));
    EXPECT_EQ(frame->size(), frame->sizeHint());
    EXPECT_GT(frame->view().width(), 600) << "not the workspace's default size";
    EXPECT_DOUBLE_EQ(frame->view().scale(), 3.0) << "the whole keyboard at 100 %";

    main.resize(400, 300);
    openStartupFiles(main, {kExampleLayout});
    ASSERT_NE(main.activeFrame(), frame);
    static_cast<void>(QTest::qWaitFor([&] { return main.activeFrame()->isMaximized(); }));
    EXPECT_TRUE(main.activeFrame()->isMaximized());
}

TEST_F(StartupTest, FilesDroppedOnTheWindowOpen) {
    MainWindow& main = makeWindow();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(kExampleLayout), QUrl::fromLocalFile(path("missing.kbf"))});
    EXPECT_TRUE(main.acceptDrops());
    EXPECT_TRUE(main.openDroppedFiles(data));
    EXPECT_EQ(main.openDocuments().size(), 1u);
    EXPECT_EQ(dialogs.errors.size(), 1) << "the missing one is reported";
}

TEST_F(StartupTest, TheScreenshotOptionIsNoFile) {
    const CommandLine line = parseCommandLine({"key", "--screenshots", "/tmp/shots", "a.kbf"});
    EXPECT_EQ(line.files, QStringList{"a.kbf"});
    EXPECT_EQ(line.screenshotFolder, "/tmp/shots");
}

TEST_F(StartupTest, UnknownOptionsAndAMissingFolderAreProblemsAndHelpAndVersionAreAsked) {
    EXPECT_EQ(parseCommandLine({"key", "--bogus", "a.kbf"}).problem, "Unknown option 'bogus'.");
    EXPECT_EQ(parseCommandLine({"key", "--screenshots"}).problem, "Missing value after '--screenshots'.");
    EXPECT_TRUE(parseCommandLine({"key", "-h"}).helpWanted);
    EXPECT_TRUE(parseCommandLine({"key", "a.kbf", "--version"}).versionWanted);
    EXPECT_EQ(parseCommandLine({"key", "--", "--odd name.kbf"}).files, QStringList{"--odd name.kbf"});
}

// The program itself, as a user runs it: both answers need no display, and
// a line it cannot read ends with status 2 before any window opens.
TEST_F(StartupTest, TheProgramPrintsHelpAndVersionWithoutADisplayAndRefusesUnknownOptions) {
    const std::filesystem::path key = std::filesystem::path(KBX_BIN_DIR) / "key";
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("QT_QPA_PLATFORM", "xcb");  // a window system that is not there
    qunsetenv("DISPLAY");
    const kbxtest::ProcessResult help = kbxtest::runProgram(key, {"--help"});
    qputenv("QT_QPA_PLATFORM", platform);
    if (!display.isEmpty()) qputenv("DISPLAY", display);
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: key ", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_EQ(help.out.find("screenshots"), std::string::npos) << "the screenshot folder stays out of the help";
    const kbxtest::ProcessResult version = kbxtest::runProgram(key, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, versionLine().toStdString());
    EXPECT_EQ(version.out.rfind("key ", 0), 0u);
    const kbxtest::ProcessResult bad = kbxtest::runProgram(key, {"--bogus"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("key: Unknown option 'bogus'.\nTry 'key --help' for more information.\n"),
              std::string::npos)
        << bad.err;
    // /dev/full takes no byte (the kernel's drivers/char/mem.c, write_full):
    // a version that cannot be written is a failure, not a silent success.
    const kbxtest::ProcessResult lost = kbxtest::runProgram(key, {"--version"}, kbxtest::withOutputTo("/dev/full"));
    EXPECT_EQ(lost.exitCode, 1);
    EXPECT_NE(lost.err.find("key: write error"), std::string::npos) << lost.err;
}

TEST_F(StartupTest, AMaximisedWindowComesBackMaximisedWithItsNormalRectangle) {
    {
        MainWindow& main = makeWindow();
        main.setGeometry(40, 50, 640, 480);
        main.showMaximized();
        settle();
        ASSERT_TRUE(main.isMaximized());
        main.close();
    }
    kbxdoc::WindowPlacement stored;
    kbxdoc::LayerTable unused{};
    ASSERT_TRUE(kbxdoc::accessSettingsFile(editorState().settingsFile, kbxdoc::kReadWindowPlacement, stored, unused));
    EXPECT_EQ(stored.flags, 3u);
    EXPECT_EQ(stored.showCommand, kShowMaximised);
    EXPECT_EQ(stored.normalRight - stored.normalLeft, 640);
    EXPECT_EQ(stored.normalBottom - stored.normalTop, 480);

    MainWindow& again = makeWindow();
    again.restorePlacement();
    settle();
    EXPECT_TRUE(again.isMaximized());
    EXPECT_EQ(again.normalGeometry().size(), QSize(640, 480));
}

TEST_F(StartupTest, ANormalWindowKeepsItsRectangle) {
    {
        MainWindow& main = makeWindow();
        main.setGeometry(30, 40, 700, 500);
        main.show();
        settle();
        main.close();
    }
    MainWindow& again = makeWindow();
    again.restorePlacement();
    settle();
    EXPECT_FALSE(again.isMaximized());
    EXPECT_EQ(again.geometry().size(), QSize(700, 500));
}

TEST_F(StartupTest, ToolBarStateIsRestoredUnlessAGuardFileWasLeftBehind) {
    {
        MainWindow& main = makeWindow();
        main.show();
        main.toolBar()->hide();
        main.close();
    }
    EXPECT_TRUE(makeWindow().toolBar()->isHidden()) << "the stored state was restored";
    EXPECT_FALSE(QFile::exists(path("OK.TMP")));

    QFile stale(path("OK.TMP"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    EXPECT_FALSE(makeWindow().toolBar()->isHidden()) << "a crashed restore is not tried again";
    EXPECT_FALSE(QFile::exists(path("OK.TMP")));
}

TEST_F(StartupTest, TheLayerTableIsReadOrTheDefaultsAreWritten) {
    loadLayerTable();
    EXPECT_EQ(editorState().layers, kbxdoc::defaultLayerTable());
    kbxdoc::WindowPlacement unused;
    kbxdoc::LayerTable written{};
    EXPECT_TRUE(kbxdoc::accessSettingsFile(editorState().settingsFile, kbxdoc::kReadLayerTable, unused, written));
    EXPECT_EQ(written, kbxdoc::defaultLayerTable());
}

TEST_F(StartupTest, TheLayerBarListsTheNamesBeforeTheFirstGap) {
    editorState().layers[2].name.clear();  // 0, 1 named, 2 empty, 3-5 named
    MainWindow& main = makeWindow();
    QComboBox* list = main.layerBar()->list();
    EXPECT_EQ(list->objectName(), "layerList11003");
    EXPECT_EQ(list->font().family(), "Arial");
    EXPECT_EQ(list->font().pointSize(), 9);
    EXPECT_EQ(list->placeholderText(), "No Layer");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "Normal-Layer");
    EXPECT_EQ(list->itemText(1), "Shift-Layer");
}

TEST_F(StartupTest, TheLayerBarListsTheLayersAFileBrings) {
    MainWindow& main = makeWindow();
    ASSERT_EQ(main.layerBar()->list()->count(), 6);
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    ASSERT_EQ(main.layerBar()->list()->count(), 8);
    EXPECT_EQ(main.layerBar()->list()->itemText(7), "Release-Layer");
    EXPECT_EQ(main.layerBar()->list()->currentIndex(), 0);
}

TEST(WindowPlacement, TheShowCommandAndFlagsDecideHowTheWindowComesBack) {
    kbxdoc::WindowPlacement placement;
    placement.showCommand = kShowMaximised;
    EXPECT_EQ(showAsFor(placement), ShowAs::Maximised);
    placement.showCommand = kShowMinimised;
    EXPECT_EQ(showAsFor(placement), ShowAs::Minimised);
    placement.flags = kPlacementRestoreToMaximised;
    EXPECT_EQ(showAsFor(placement), ShowAs::Maximised) << "minimised from maximised";
    placement.showCommand = kShowHidden;
    EXPECT_EQ(showAsFor(placement), ShowAs::Normal);
}

TEST_F(StartupTest, TheLayerBarFollowsTheActiveViewOfTwo) {
    MainWindow& main = makeWindow();
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    ChildFrame* first = main.activeFrame();
    ChildFrame* second = main.newWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(main.frames().size(), 2u);
    EXPECT_EQ(main.openDocuments().size(), 1u);
    EXPECT_EQ(&first->document(), &second->document());
    EXPECT_EQ(first->windowTitle(), "bakery.kbf:1[*]");
    EXPECT_EQ(second->windowTitle(), "bakery.kbf:2[*]");

    QComboBox* list = main.layerBar()->list();
    ASSERT_GT(list->count(), 3);
    list->setCurrentIndex(3);
    emit list->activated(3);
    EXPECT_EQ(second->view().currentLayer(), 3);
    EXPECT_EQ(first->view().currentLayer(), 0);

    main.mdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(main.activeView(), &first->view());
    EXPECT_EQ(list->currentIndex(), 0);
    main.mdiArea()->setActiveSubWindow(second);
    EXPECT_EQ(list->currentIndex(), 3);

    // The window menu lists both and switches between them.
    QMenu* windows = main.currentMenus()[5];
    emit windows->aboutToShow();
    QStringList entries;
    for (QAction* entry : windows->actions())
        if (!entry->isSeparator() && !entry->data().isValid()) entries.append(entry->text());
    EXPECT_EQ(entries, (QStringList{"&1 bakery.kbf:1", "&2 bakery.kbf:2"}));
    windows->actions().at(windows->actions().size() - 2)->trigger();
    EXPECT_EQ(main.activeView(), &first->view());
    EXPECT_EQ(list->currentIndex(), 0);
}

TEST_F(StartupTest, TheRecentFileListKeepsFourNewestFirstAcrossStarts) {
    {
        MainWindow& main = makeWindow();
        for (const char* name : {"a.kbf", "b.kbf", "c.kbf", "d.kbf", "e.kbf", "b.kbf"})
            main.recentFiles().add(path(name));
        main.close();
    }
    MainWindow& again = makeWindow();
    EXPECT_EQ(again.recentFiles().paths(), (QStringList{path("b.kbf"), path("e.kbf"), path("d.kbf"), path("c.kbf")}));
    QStringList entries;
    for (QAction* action : again.currentMenus().front()->actions())
        if (action->isVisible() && action->data().toInt() >= 57616 && action->data().toInt() < 57620)
            entries.append(action->text());
    EXPECT_EQ(entries, (QStringList{"&1 " + path("b.kbf"), "&2 " + path("e.kbf"), "&3 " + path("d.kbf"),
                                    "&4 " + path("c.kbf")}));
}

TEST_F(StartupTest, TheEnglishTextsComeWithAnyLocaleButGermanUnlessKeyLangSays) {
    EXPECT_TRUE(wantsEnglish("en_GB", ""));
    EXPECT_TRUE(wantsEnglish("C", ""));
    EXPECT_FALSE(wantsEnglish("de_DE", ""));
    EXPECT_TRUE(wantsEnglish("de_DE", "en"));
    EXPECT_FALSE(wantsEnglish("fr_FR", "de"));
}

TEST_F(StartupTest, TheSettingsFileLiesBesideTheProgramWhenThatFolderCanBeWritten) {
    EXPECT_EQ(settingsFileFor(folder()), dir / "Vyrn.Ini");
    qputenv("XDG_CONFIG_HOME", path("config").toLocal8Bit());
    EXPECT_EQ(settingsFileFor("/proc/"), dir / "config/LayomatV18/Vyrn.Ini");
    qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace keyui::app::testing
