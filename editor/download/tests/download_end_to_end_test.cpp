// Both commands with the real kbx32, compiler and interface library: a
// download over the keyboard port into the simulated keyboard, and a compile
// run of a layout with an error.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "editor/download/download_commands.h"
#include "editor/download/interface_dialog.h"
#include "editor/download/tests/download_test_support.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "tools/kbxsim/simulator.h"

namespace keyui::download {
namespace {

using testing::control;
using testing::qPath;

constexpr int kGiveUpMs = 60000;
constexpr int kPollMs = 50;

struct FinalState {
    bool seen = false;
    int compileBar = -1;
    int downloadBar = -1;
    QString status;
    QString log;
};

// Answers the modal dialogs of a command as a user would: the interface
// dialog with "AT" and OK, the progress dialog with OK once it is enabled
// (its state recorded first). Gives up by closing whatever is open.
class ModalDriver : public QObject {
public:
    ModalDriver() {
        connect(&poll_, &QTimer::timeout, this, &ModalDriver::step);
        poll_.start(kPollMs);
        deadline_.setRemainingTime(kGiveUpMs);
    }
    FinalState final;
    bool interfaceAnswered = false;

private:
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        if (deadline_.hasExpired()) {
            modal->close();
            return;
        }
        if (auto* interface = qobject_cast<InterfaceDialog*>(modal)) {
            QTest::mouseClick(control<QRadioButton>(*interface, "radio11009"), Qt::LeftButton);
            QTest::mouseClick(control<QPushButton>(*interface, "button1"), Qt::LeftButton);
            interfaceAnswered = true;
            return;
        }
        auto* ok = control<QPushButton>(*modal, "button1");
        if (ok == nullptr || !ok->isEnabled() || final.seen) return;
        final.seen = true;
        final.compileBar = control<QProgressBar>(*modal, "progress11039")->value();
        final.downloadBar = control<QProgressBar>(*modal, "progress11040")->value();
        final.status = control<QLabel>(*modal, "static11043")->text();
        final.log = control<QPlainTextEdit>(*modal, "edit11044")->toPlainText();
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    QTimer poll_;
    QDeadlineTimer deadline_;
};

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
        document.setPath(qPath(dir / "shop.kbf"));
        document.setModified(true);
        auto& key = document.keyboard().keys[0];
        key.layers[0].programming = "a";
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
    ModalDriver driver;
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

TEST_F(DownloadEndToEnd, SaveAndTestShowsTheLogOfACompileError) {
    document.keyboard().keys[0].layers[0].programming = "{NOSUCHTOKEN}";
    const auto keys = document.keyboard().keys;
    ModalDriver driver;
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
