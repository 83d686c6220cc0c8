#include <QTabWidget>
#include <QTest>

#include "editor/ui/dialogs/capture/keystroke_capture.h"
#include "editor/ui/dialogs/programming/token_list.h"
#include "editor/ui/dialogs/programming/tests/programming_fixture.h"

namespace keyui::dialogs::testing {
namespace {

QCheckBox& box(QWidget& page, int id) {
    auto* found = page.findChild<QCheckBox*>(QStringLiteral("check%1").arg(id));
    EXPECT_NE(found, nullptr) << id;
    return *found;
}

TEST_F(ProgrammingTest, TheAttributeBoxesShowBitsZeroToSevenAndOkKeepsTheOtherBits) {
    // click 2 (follow the layer), repeat 1, protected 0, slow output 1.
    entry(0).attributes = 0xABCD1200u | 0x46u;
    entry(0).programming = "abc{F1}";
    auto sheet = shownSheet();
    QWidget& page = *sheet->page(0);
    EXPECT_EQ(box(page, 11006).checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(box(page, 11007).checkState(), Qt::Checked);
    EXPECT_EQ(box(page, 11008).checkState(), Qt::Unchecked);
    EXPECT_EQ(box(page, 11009).checkState(), Qt::Checked);
    EXPECT_FALSE(box(page, 11009).isTristate());
    EXPECT_EQ(control<QLineEdit>(page, "edit11005")->text(), "abc{F1}");

    box(page, 11006).setCheckState(Qt::Checked);
    box(page, 11007).setCheckState(Qt::Unchecked);
    box(page, 11008).setCheckState(Qt::PartiallyChecked);
    box(page, 11009).setChecked(false);
    sheet->accept();
    EXPECT_EQ(entry(0).attributes, 0xABCD1200u | 0x21u);
}

TEST_F(ProgrammingTest, OkWithoutChangesKeepsEveryFieldThatFollowsTheLayer) {
    // A new key follows the layer in every field, slow output included, which
    // the two-state box shows clear; an untouched OK must not turn it on.
    entry(0).attributes = kbxdoc::kAllFollowLayer;
    auto sheet = shownSheet();
    EXPECT_EQ(box(*sheet->page(0), 11009).checkState(), Qt::Unchecked);
    sheet->accept();
    EXPECT_EQ(entry(0).attributes, kbxdoc::kAllFollowLayer);
}

TEST_F(ProgrammingTest, GreyedBoxesStoreFollowTheLayer) {
    entry(0).attributes = 0xFFFFFF00u;
    auto sheet = shownSheet();
    for (int id : {11006, 11007, 11008}) box(*sheet->page(0), id).setCheckState(Qt::PartiallyChecked);
    sheet->accept();
    EXPECT_EQ(entry(0).attributes, 0xFFFFFF2Au);
}

TEST_F(ProgrammingTest, TheProgrammingTextIsCutAt178CharactersAndCrossesAsWindows1252) {
    // StdKey-Layer sends make codes alone: 178 characters fit a key there.
    constexpr int kStdKeyPage = 4;
    auto sheet = shownSheet();
    sheet->tabs()->setCurrentIndex(kStdKeyPage);
    control<QLineEdit>(*sheet->page(kStdKeyPage), "edit11005")->setText(QString(200, QLatin1Char('x')));
    sheet->tabs()->setCurrentIndex(1);
    control<QLineEdit>(*sheet->page(1), "edit11005")->setText(QString::fromUtf8("Grüße €"));
    sheet->accept();
    EXPECT_EQ(entry(kStdKeyPage).programming, std::string(178, 'x'));
    EXPECT_EQ(entry(1).programming, "Gr\xFC\xDF" "e \x80");
}

TEST_F(ProgrammingTest, AnyPastedTextIsStoredSafely) {
    EXPECT_EQ(programmingTextOf(QString(100000, QLatin1Char('y'))), std::string(178, 'y'));
    EXPECT_EQ(programmingTextOf(QString::fromUtf8("ab\0cd", 5)), "ab");
    EXPECT_LE(programmingTextOf(QString(300, QChar(0x4E2D))).size(), 178u);
}

TEST_F(ProgrammingTest, TheTokenListOffersTheHundredAndTwoTokensSortedWithoutRegardToCase) {
    EXPECT_EQ(tokenStrings().size(), 102u);
    EXPECT_EQ(tokenStrings().front(), "{F1}");
    EXPECT_EQ(tokenStrings()[1098 - kFirstTokenId], "\\\"");
    EXPECT_EQ(tokenStrings().back(), "{POSFC}");

    auto sheet = shownSheet();
    auto* list = control<QListWidget>(*sheet->page(0), "list11035");
    ASSERT_EQ(list->count(), 102);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    for (int i = 1; i < shown.size(); ++i)
        EXPECT_LE(QString::compare(shown[i - 1], shown[i], Qt::CaseInsensitive), 0) << shown[i - 1].toStdString() << " " << shown[i].toStdString();
    EXPECT_TRUE(shown.contains("{POSMSR1}"));
    EXPECT_TRUE(shown.contains("{N.}"));
    EXPECT_TRUE(shown.contains("\\\\"));
    EXPECT_FALSE(shown.contains("{KEY-PAUSE}"));
    EXPECT_FALSE(shown.contains("END OF TOKENS"));
    // Opening again does not offer the tokens twice.
    sheet->reject();
    sheet = shownSheet();
    EXPECT_EQ(control<QListWidget>(*sheet->page(0), "list11035")->count(), 102);
}

TEST_F(ProgrammingTest, DoubleClickingATokenReplacesTheSelectionAsOneUndoableEdit) {
    auto sheet = shownSheet();
    QWidget& page = *sheet->page(0);
    auto* edit = control<QLineEdit>(page, "edit11005");
    auto* list = control<QListWidget>(page, "list11035");
    edit->setText("abcdef");
    edit->setSelection(1, 3);
    QListWidgetItem* token = list->findItems("{POSMSR1}", Qt::MatchExactly).value(0);
    ASSERT_NE(token, nullptr);
    list->scrollToItem(token);
    const QPoint centre = list->visualItemRect(token).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(edit->text(), "a{POSMSR1}ef");
    EXPECT_EQ(QApplication::focusWidget(), edit);
    edit->undo();
    EXPECT_EQ(edit->text(), "abcdef");

    edit->setCursorPosition(3);
    emit list->itemDoubleClicked(token);
    EXPECT_EQ(edit->text(), "abc{POSMSR1}def");
}

class CaptureOnThePage : public ProgrammingTest {
protected:
    void SetUp() override {
        ProgrammingTest::SetUp();
        entry(0).programming = "old text";
        sheet = shownSheet();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
    }
    QWidget& page(int index = 0) { return *sheet->page(index); }
    QLineEdit& edit(int index = 0) { return *control<QLineEdit>(page(index), "edit11005"); }
    bool simulateBoxesEnabled(int index = 0) {
        return box(page(index), 11012).isEnabled() && box(page(index), 11013).isEnabled() &&
               box(page(index), 11014).isEnabled();
    }
    void expectDisarmed(int index = 0) {
        EXPECT_EQ(capture::KeystrokeCapture::armed(), nullptr);
        EXPECT_FALSE(box(page(index), 11025).isChecked());
        EXPECT_FALSE(box(page(index), 11012).isEnabled());
        EXPECT_FALSE(box(page(index), 11013).isEnabled());
        EXPECT_FALSE(box(page(index), 11014).isEnabled());
    }
    std::unique_ptr<ProgrammingSheet> sheet;
};

TEST_F(CaptureOnThePage, ASpecialKeyWithTickedModifiersReplacesTheWholeText) {
    QTest::mouseClick(&box(page(), 11025), Qt::LeftButton);
    EXPECT_TRUE(box(page(), 11025).isChecked());
    EXPECT_TRUE(simulateBoxesEnabled());
    box(page(), 11012).setChecked(true);  // Shift
    box(page(), 11013).setChecked(true);  // Control
    edit().setFocus();
    QTest::keyClick(&edit(), Qt::Key_F10);
    EXPECT_EQ(edit().text(), "{SHIFT+CTRL+F10}");
    // Capture stays armed: the next special key replaces the text again.
    box(page(), 11012).setChecked(false);
    box(page(), 11013).setChecked(false);
    box(page(), 11014).setChecked(true);  // Alt
    QTest::keyClick(&edit(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(edit().text(), "{ALT+ENTER}");
}

TEST_F(CaptureOnThePage, LettersReachTheEditUnchanged) {
    QTest::mouseClick(&box(page(), 11025), Qt::LeftButton);
    edit().setFocus();
    edit().end(false);
    QTest::keyClicks(&edit(), "xy");
    EXPECT_EQ(edit().text(), "old textxy");
}

TEST_F(CaptureOnThePage, ASecondClickOkAndCancelDisarm) {
    QTest::mouseClick(&box(page(), 11025), Qt::LeftButton);
    QTest::mouseClick(&box(page(), 11025), Qt::LeftButton);
    expectDisarmed();
    QTest::keyClick(&edit(), Qt::Key_F2);
    EXPECT_EQ(edit().text(), "old text");

    QTest::mouseClick(&box(page(), 11025), Qt::LeftButton);
    ASSERT_NE(capture::KeystrokeCapture::armed(), nullptr);
    sheet->accept();
    expectDisarmed();

    sheet = shownSheet();
    QTest::mouseClick(&box(page(), 11025), Qt::LeftButton);
    ASSERT_NE(capture::KeystrokeCapture::armed(), nullptr);
    sheet->reject();
    expectDisarmed();
}

TEST_F(CaptureOnThePage, ClosingOrDestroyingTheSheetDisarms) {
    QTest::mouseClick(&box(page(), 11025), Qt::LeftButton);
    sheet->close();
    expectDisarmed();
    sheet = shownSheet();
    QTest::mouseClick(&box(page(), 11025), Qt::LeftButton);
    sheet.reset();
    EXPECT_EQ(capture::KeystrokeCapture::armed(), nullptr);
}

TEST_F(CaptureOnThePage, TokensGoToThePageInitialisedLast) {
    sheet->tabs()->setCurrentIndex(1);
    QTest::mouseClick(&box(page(1), 11025), Qt::LeftButton);
    EXPECT_TRUE(box(page(1), 11025).isChecked());
    QTest::keyClick(&edit(1), Qt::Key_F10);
    EXPECT_EQ(edit(1).text(), "{F10}");
    EXPECT_EQ(edit(0).text(), "old text");
    // Going back to a page already initialised does not move the target.
    sheet->tabs()->setCurrentIndex(0);
    QTest::keyClick(&edit(0), Qt::Key_Escape);
    EXPECT_EQ(edit(1).text(), "{ESC}");
    EXPECT_EQ(edit(0).text(), "old text");
    sheet->accept();
    EXPECT_EQ(entry(1).programming, "{ESC}");
    expectDisarmed(1);
}

TEST_F(CaptureOnThePage, APageInitialisedWhileArmedTakesOverTheCapture) {
    QTest::mouseClick(&box(page(0), 11025), Qt::LeftButton);
    sheet->tabs()->setCurrentIndex(1);
    EXPECT_FALSE(box(page(0), 11025).isChecked());
    EXPECT_TRUE(box(page(1), 11025).isChecked());
    EXPECT_TRUE(simulateBoxesEnabled(1));
    QTest::keyClick(&edit(1), Qt::Key_Tab);
    EXPECT_EQ(edit(1).text(), "{TAB}");
    EXPECT_EQ(edit(0).text(), "old text");
    sheet->reject();
    expectDisarmed(1);
}

}  // namespace
}  // namespace keyui::dialogs::testing
