// The files the commands write: the save-and-test naming rule and the
// document left as it was by the written copy.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/download/download_commands.h"
#include "editor/ui/download/download_paths.h"
#include "editor/ui/download/quiet_save.h"
#include "editor/ui/download/tests/download_test_support.h"

namespace keyui::download {
namespace {

using testing::qPath;

TEST(TestSourcePath, TheExtensionBecomesUpperCaseKbfExactly) {
    EXPECT_EQ(testSourcePath("/l/shop.kbf"), "/l/shop.KBF");
    EXPECT_EQ(testSourcePath("/l/shop.KBF"), "/l/shop.KBF");
    EXPECT_EQ(testSourcePath("/l/shop.Kbf"), "/l/shop.KBF");
    EXPECT_EQ(testSourcePath("/l/shop.txt"), "/l/shop.KBF");
    EXPECT_EQ(testSourcePath("/l/shop"), "/l/shop.KBF");
    EXPECT_EQ(testSourcePath("/l/old.layouts/shop"), "/l/old.layouts/shop.KBF");
    EXPECT_EQ(testSourcePath(""), ".KBF");
}

TEST(TestSourcePath, TheLogSitsBesideTheSourceWithTxt) {
    EXPECT_EQ(withExtension("/l/shop.KBF", ".TXT"), "/l/shop.TXT");
    EXPECT_EQ(withExtension(".KBF", ".TXT"), ".TXT");
    DownloadSetup setup{"/bin/kbx32", "/w/", {}};
    const ProgressRun run = saveAndTestRun(setup, "/l/my shop.KBF");
    EXPECT_EQ(run.arguments, QStringList({"/l/my shop.KBF", "COMP"}));
    EXPECT_EQ(run.logPath, "/l/my shop.TXT");
    const ProgressRun download = sendToKeyboardRun(setup, InterfaceChoice{"COM3", "E", 1200, 8, 0});
    EXPECT_EQ(download.arguments, QStringList({"/w/TMP0815.KBF", "COM3:1200,E,8,0"}));
    EXPECT_EQ(download.logPath, "/w/TMP0815.LOG");
}

class QuietSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetEditorStateForTests();
        document.setPath(qPath(dir / "shop.kbf"));
        document.setModified(true);
        auto& keys = document.keyboard().keys;
        keys[3].caption = "Kaffee";
        keys[3].captionSize = 40;
        keys[3].layers[0].programming = "k";
        keys[kbxdoc::kCurrentKeySlot].layers[1].programming = "x";
        // Key 3 is drawn three caps wide over key 4: the save gives key 4
        // key 3's programming in the file only.
        document.keyboard().capWidth = 10;
        document.keyboard().capHeight = 10;
        keys[3].current = kbxdoc::Rect{0, 0, 30, 10};
        keys[4].current = kbxdoc::Rect{10, 0, 10, 10};
        keys[4].layers[0].programming = "own";
    }

    kbxtest::TempDir dir;
    KeyDocument document;
};

TEST_F(QuietSaveTest, TheDocumentKeepsPathTitleFlagAndKeys) {
    const auto keys = document.keyboard().keys;
    QSignalSpy titles(&document, &KeyDocument::titleChanged);
    QString error;
    ASSERT_TRUE(saveWithoutDisturbing(document, qPath(dir / "copy.KBF"), &error)) << error.toStdString();
    EXPECT_TRUE(std::filesystem::exists(dir / "copy.KBF"));
    EXPECT_EQ(document.path(), qPath(dir / "shop.kbf"));
    EXPECT_EQ(document.title(), "shop.kbf");
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(document.keyboard().keys == keys);
    EXPECT_EQ(document.keyboard().keys[4].layers[0].programming, "own");
    EXPECT_EQ(titles.count(), 0);

    document.setModified(false);
    ASSERT_TRUE(saveWithoutDisturbing(document, qPath(dir / "copy.KBF"), &error));
    EXPECT_FALSE(document.isModified());
}

TEST_F(QuietSaveTest, AFailedWriteIsToldAndStopsTheCommand) {
    testing::RecordingNotifier notices;
    DownloadSetup setup{qPath(dir / "kbx32"), qPath(dir / "missing" / "") , notices.notifier()};
    testing::writeFakeProgram(dir / "kbx32", "touch \"" + (dir / "started").string() + "\"\n");
    const QString source = qPath(dir / "missing" / "TMP0815.KBF");
    EXPECT_FALSE(writeSource(nullptr, document, source, setup));
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_TRUE(notices.notices[0].text.contains(source));
    EXPECT_EQ(document.path(), qPath(dir / "shop.kbf"));

    // Save and test on a document in a folder that is gone: no run at all.
    document.setPath(qPath(dir / "gone" / "shop.kbf"));
    runSaveAndTest(nullptr, document, setup);
    EXPECT_EQ(notices.notices.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir / "started"));
}

// An untitled document is tested as ".KBF" in the current folder, its log
// expected in ".TXT" there.
TEST_F(QuietSaveTest, AnUntitledDocumentIsTestedAsDotKbfInTheCurrentFolder) {
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    document.setPath(QString());
    kbxtest::writeFile(dir / ".TXT", "ERROR (line 1): x\n");
    testing::writeFakeProgram(dir / "kbx32", "echo \"$1 $2\" > args\necho 'kbx_message 4 -1'\n");
    testing::RecordingNotifier notices;
    DownloadSetup setup{qPath(dir / "kbx32"), qPath(dir.path()) + "/", notices.notifier()};
    testing::ModalDriver driver;
    runSaveAndTest(nullptr, document, setup);
    std::filesystem::current_path(before);
    EXPECT_TRUE(std::filesystem::exists(dir / ".KBF"));
    EXPECT_EQ(kbxtest::readFile(dir / "args"), ".KBF COMP\n");
    ASSERT_TRUE(driver.final.seen);
    EXPECT_EQ(driver.final.log, "ERROR (line 1): x\n");
    EXPECT_TRUE(document.path().isEmpty());
    EXPECT_EQ(document.title(), "Noname");
    EXPECT_TRUE(notices.notices.empty());
}

}  // namespace
}  // namespace keyui::download
