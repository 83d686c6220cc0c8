// Both commands with the real kbx32, compiler and interface library: a
// download over the keyboard port into the simulated keyboard, a download to
// a serial port that cannot be opened, and a compile run of a layout with an
// error.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/download/download_commands.h"
#include "editor/ui/download/interface_dialog.h"
#include "editor/ui/download/tests/download_test_support.h"
#include "kbxsim/simulator.h"

namespace keyui::download {
namespace {

using testing::control;
using testing::qPath;

class DownloadEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        resetEditorStateForTests();
        const std::string channel = "sim:" + keyboard.channelPath().string();
        ::setenv("KBX_KEYBOARD", channel.c_str(), 1);
        ::setenv("KBX_USB", channel.c_str(), 1);
        ::setenv("KBX_PLATFORM", "", 1);
        setup.kbx32Program = QString::fromLatin1(KBX_BIN_DIR) + "/kbx32";
        setup.workFolder = qPath(dir.path()) + "/";
        setup.notify = notices.notifier();
        const QString layout = QString::fromLatin1(KBX_SOURCE_DIR) + "/data/LAY/Mirk/GRMirk.kbf";
        ASSERT_EQ(document.open(layout), OpenFailure::None);
        document.setPath(qPath(dir / "shop.kbf"));
        document.setModified(true);
    }

    void TearDown() override {
        for (const char* variable : {"KBX_KEYBOARD", "KBX_USB", "KBX_PLATFORM"}) ::unsetenv(variable);
    }

    void expectDocumentUnchanged(const std::array<kbxdoc::KeyRecord, kbxdoc::kKeySlotCount>& keys) {
        EXPECT_EQ(document.path(), qPath(dir / "shop.kbf"));
        EXPECT_EQ(document.title(), "shop.kbf");
        EXPECT_TRUE(document.isModified());
        EXPECT_TRUE(document.keyboard().keys == keys);
    }

    kbxtest::TempDir dir;
    kbxsim::Simulator keyboard;
    testing::RecordingNotifier notices;
    DownloadSetup setup;
    KeyDocument document;
};

TEST_F(DownloadEndToEnd, SendToKeyboardOverTheKeyboardPortLoadsTheImage) {
    const auto keys = document.keyboard().keys;
    testing::ModalDriver driver;
    runSendToKeyboard(nullptr, document, setup);
    EXPECT_TRUE(driver.interfaceAnswered);
    ASSERT_TRUE(driver.final.seen);
    EXPECT_EQ(driver.final.status, "Fertig") << driver.final.log.toStdString();
    EXPECT_EQ(driver.final.compileBar, 100);
    EXPECT_EQ(driver.final.downloadBar, 100);
    EXPECT_TRUE(notices.notices.empty());

    const auto image = kbxtest::readBytes(dir / "TMP0815.kbx");
    ASSERT_GT(image.size(), 8u);
    EXPECT_EQ(keyboard.memory(4, image.size() - 4), std::vector<std::uint8_t>(image.begin() + 4, image.end()));
    EXPECT_TRUE(std::filesystem::exists(dir / "TMP0815.LOG"));
    expectDocumentUnchanged(keys);
}

TEST_F(DownloadEndToEnd, ASerialPortThatCannotBeOpenedIsNamedInTheLogWithTheSystemsReason) {
    const std::filesystem::path folder = dir / "not-a-port";
    std::filesystem::create_directory(folder);
    ::setenv("KBX_COM1", folder.c_str(), 1);
    testing::ModalDriver driver({"radio11011", "radio11013"});  // COM:, COM1
    runSendToKeyboard(nullptr, document, setup);
    ::unsetenv("KBX_COM1");
    ASSERT_TRUE(driver.interfaceAnswered);
    ASSERT_TRUE(driver.final.seen);
    EXPECT_EQ(driver.final.status, "COM - Port konnte nicht geöffnet werden");
    EXPECT_TRUE(driver.final.log.contains("Can't open COM1.")) << driver.final.log.toStdString();
    EXPECT_TRUE(driver.final.log.contains(qPath(folder) + ": Is a directory")) << driver.final.log.toStdString();
}

TEST_F(DownloadEndToEnd, SaveAndTestOfAGoodLayoutEndsWithTheCompileResultAndItsListing) {
    testing::ModalDriver driver;
    runSaveAndTest(nullptr, document, setup);
    ASSERT_TRUE(driver.final.seen);
    EXPECT_EQ(driver.final.status, "Die Belegung wurde ohne Fehler compiliert.");
    EXPECT_EQ(driver.final.compileBar, 100);
    EXPECT_EQ(driver.final.downloadBar, 0) << "nothing was downloaded";
    EXPECT_FALSE(driver.final.log.isEmpty());
    EXPECT_EQ(driver.final.log.toStdString(), kbxtest::readFile(dir / "shop.TXT"));
}

TEST_F(DownloadEndToEnd, SaveAndTestShowsTheLogOfACompileError) {
    document.keyboard().languageCode = "QQ";  // no such language
    const auto keys = document.keyboard().keys;
    testing::ModalDriver driver;
    runSaveAndTest(nullptr, document, setup);
    ASSERT_TRUE(driver.final.seen);
    EXPECT_EQ(driver.final.status, "Ein Compilierfehler ist aufgetreten");
    EXPECT_TRUE(driver.final.log.contains("ERROR (line")) << driver.final.log.toStdString();
    EXPECT_EQ(driver.final.log.toStdString(), kbxtest::readFile(dir / "shop.TXT"));
    EXPECT_TRUE(std::filesystem::exists(dir / "shop.KBF"));
    expectDocumentUnchanged(keys);
}

}  // namespace
}  // namespace keyui::download
