#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/dialogs/capture/capture_tokens.h"
#include "editor/ui/dialogs/capture/keystroke_capture.h"
#include "editor/ui/dialogs/capture/qt_virtual_keys.h"

namespace keyui::capture {
namespace {

TEST(CaptureTokens, TickedModifiersComeInTheirFixedOrderBeforeTheKeyName) {
    EXPECT_EQ(captureToken(121, false, {true, true, false}), "{SHIFT+CTRL+F10}");
    EXPECT_EQ(captureToken(121, false, {true, true, true}), "{SHIFT+CTRL+ALT+F10}");
    EXPECT_EQ(captureToken(112, false, {false, false, true}), "{ALT+F1}");
    EXPECT_EQ(captureToken(145, false, {}), "{SCROLL-LOCK}");
}

TEST(CaptureTokens, TheExtendedFlagTellsEnterFromReturn) {
    EXPECT_EQ(captureToken(13, true, {}), "{ENTER}");
    EXPECT_EQ(captureToken(13, false, {}), "{RETURN}");
}

TEST(CaptureTokens, OrdinaryKeysAndThePlainModifiersHaveNoToken) {
    for (int key : {16, 17, 20, 65, 90, 48, 57, 108, 110, 186, 0, -1, 1000})
        EXPECT_EQ(captureToken(key, false, {true, false, false}), "") << key;
}

TEST(QtVirtualKeys, TheKeypadFlagPicksTheNumericPadKeys) {
    EXPECT_EQ(virtualKeyOf(Qt::Key_Enter, true).number, 13);
    EXPECT_TRUE(virtualKeyOf(Qt::Key_Enter, true).extended);
    EXPECT_FALSE(virtualKeyOf(Qt::Key_Return, false).extended);
    EXPECT_EQ(virtualKeyOf(Qt::Key_5, true).number, 101);
    EXPECT_EQ(virtualKeyOf(Qt::Key_5, false).number, 0);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Asterisk, true).number, 106);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Slash, true).number, 111);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Slash, false).number, 0);
    EXPECT_EQ(virtualKeyOf(Qt::Key_F12, false).number, 123);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Backtab, false).number, 9);
    EXPECT_EQ(virtualKeyOf(Qt::Key_A, false).number, 0);
}

// A line edit with an accelerator in its window and an armed capture that
// collects its tokens.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetEditorStateForTests();
        window.resize(200, 60);
        edit = new QLineEdit(&window);
        shortcut = new QAction(&window);
        shortcut->setShortcut(Qt::Key_F3);
        window.addAction(shortcut);
        window.show();
        window.activateWindow();
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWidget window;
    QLineEdit* edit = nullptr;
    QAction* shortcut = nullptr;
    QStringList tokens;
    SimulatedModifiers ticked;
    KeystrokeCapture capture{[this](const QString& token) { tokens << token; }, [this] { return ticked; }};
};

TEST_F(CaptureTest, ASpecialKeyBecomesItsTokenAndReachesNoControl) {
    capture.arm();
    ticked = {true, true, false};
    QTest::keyClick(edit, Qt::Key_F10);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(tokens, (QStringList{"{SHIFT+CTRL+F10}", "{SHIFT+CTRL+ENTER}", "{SHIFT+CTRL+RETURN}"}));
    EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(CaptureTest, LettersPassToTheFocusedControlUnchanged) {
    capture.arm();
    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(edit->text(), "ab");
    EXPECT_TRUE(tokens.isEmpty());
}

TEST_F(CaptureTest, AnAcceleratorKeyIsCapturedInsteadOfTriggeringItsCommand) {
    QSignalSpy triggered(shortcut, &QAction::triggered);
    capture.arm();
    QTest::keyClick(edit, Qt::Key_F3);
    EXPECT_EQ(tokens, QStringList{"{F3}"});
    EXPECT_EQ(triggered.count(), 0);
    capture.disarm();
    QTest::keyClick(edit, Qt::Key_F3);
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_EQ(tokens.size(), 1);
}

TEST_F(CaptureTest, AHeldKeyGivesOneTokenNotOnePerRepeat) {
    capture.arm();
    QKeyEvent first(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, QString(), true);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(edit, &first);
    QApplication::sendEvent(edit, &repeat);
    QApplication::sendEvent(edit, &repeat);
    QApplication::sendEvent(edit, &release);
    EXPECT_EQ(tokens, QStringList{"{F5}"});
}

TEST_F(CaptureTest, OneCaptureIsArmedAtATimeAndGoingDisarmsIt) {
    QStringList otherTokens;
    auto other = std::make_unique<KeystrokeCapture>([&](const QString& token) { otherTokens << token; },
                                                    [] { return SimulatedModifiers{}; });
    QSignalSpy armedChanges(&capture, &KeystrokeCapture::armedChanged);
    capture.arm();
    other->arm();
    EXPECT_FALSE(capture.isArmed());
    EXPECT_EQ(KeystrokeCapture::armed(), other.get());
    EXPECT_EQ(armedChanges.count(), 2);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(tokens.isEmpty());
    EXPECT_EQ(otherTokens, QStringList{"{ESC}"});
    other.reset();
    EXPECT_EQ(KeystrokeCapture::armed(), nullptr);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(tokens.isEmpty());
}

}  // namespace
}  // namespace keyui::capture
