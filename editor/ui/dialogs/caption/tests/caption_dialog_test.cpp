#include <QSignalSpy>

#include <gtest/gtest.h>

#include "editor/ui/dialogs/caption/caption_commands.h"
#include "editor/ui/dialogs/caption/caption_dialog.h"
#include "editor/ui/dialogs/caption/caption_options_dialog.h"
#include "editor/ui/dialogs/caption/tests/caption_test_support.h"

namespace keyui::dialogs {
namespace {

using testing::CaptionFixture;
using testing::click;
using testing::control;
using testing::whenModalShows;

class CaptionDialogTest : public ::testing::Test, public CaptionFixture {
protected:
    QString editText(QWidget& dialog) { return control<QLineEdit>(dialog, "edit11020").text(); }
};

TEST_F(CaptionDialogTest, OpensOnTheHighestSelectedKeyAndKeepsQuotesAndBackslashesThroughOk) {
    const std::string tricky = "say \"hi\"\\line\\\\x\\{";
    key(3).caption = "low";
    key(3).captionSize = 80;
    key(10).caption = tricky;
    key(10).captionSize = 80;
    select(3);
    select(10);
    QString title;
    QString shown;
    whenModalShows([&](QDialog& dialog) {
        title = dialog.windowTitle();
        shown = editText(dialog);
        click(dialog, "button1");
    });
    QSignalSpy redrawn(&document, &KeyDocument::keyChanged);
    runCaptionDialog(nullptr, document, view, prompts);

    const kbxdoc::KeyRecord& edited = key(10);
    char identifier[8];
    std::snprintf(identifier, sizeof identifier, "[%c%02d]", 'A' + edited.row, edited.column + 1);
    EXPECT_EQ(title, QString::fromUtf8("Tastenbeschriftung ändern ") + QString::fromLatin1(identifier));
    EXPECT_EQ(shown, QString::fromLatin1(tricky.c_str()));
    EXPECT_EQ(edited.caption, tricky);
    EXPECT_EQ(key(3).caption, "low");
    EXPECT_TRUE(document.isModified());
    ASSERT_FALSE(redrawn.isEmpty());
    EXPECT_EQ(redrawn.last().at(0).toInt(), 10);
}

TEST_F(CaptionDialogTest, AbbruchKeepsTheCaptionButMarksTheDocumentModified) {
    key(7).caption = "old";
    key(7).captionSize = 80;
    select(7);
    whenModalShows([&](QDialog& dialog) {
        testing::retype(dialog, "edit11020", QStringLiteral("new"));
        click(dialog, "button2");
    });
    runCaptionDialog(nullptr, document, view, prompts);
    EXPECT_EQ(key(7).caption, "old");
    EXPECT_TRUE(document.isModified());
}

TEST_F(CaptionDialogTest, NothingSelectedOpensNothing) {
    bool opened = false;
    whenModalShows([&](QDialog& dialog) {
        opened = true;
        dialog.reject();
    });
    runCaptionDialog(nullptr, document, view, prompts);
    QTest::qWait(20);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(document.isModified());
}

TEST_F(CaptionDialogTest, LineBreakGoesAtTheCaretAsOneUndoableEdit) {
    select(4);
    CaptionDialog dialog(nullptr, document, view, prompts, 4);
    dialog.show();
    auto& edit = control<QLineEdit>(dialog, "edit11020");
    edit.setFocus();
    QTest::keyClicks(&edit, QStringLiteral("ABCD"));
    QTest::keyClick(&edit, Qt::Key_Left);
    QTest::keyClick(&edit, Qt::Key_Left);
    click(dialog, "button1004");
    EXPECT_EQ(edit.text(), QStringLiteral("AB\\lineCD"));
    EXPECT_EQ(dialog.focusWidget(), &edit);

    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("ABCD"));

    // With a selection, the code replaces it.
    edit.setSelection(1, 2);
    click(dialog, "button1004");
    EXPECT_EQ(edit.text(), QStringLiteral("A\\lineD"));

    click(dialog, "button1");
    EXPECT_EQ(key(4).caption, "A\\lineD");
}

TEST_F(CaptionDialogTest, APictureReplacesTheWholeTextWithItsFullPath) {
    key(4).caption = "anything";
    key(4).captionSize = 80;
    CaptionDialog dialog(nullptr, document, view, prompts, 4);
    dialog.show();

    click(dialog, "button1005");  // cancelled: the text stays
    EXPECT_EQ(editText(dialog), QStringLiteral("anything"));
    EXPECT_EQ(prompts.pictureTitle, QStringLiteral("Taste mit Grafik belegen"));
    EXPECT_EQ(prompts.pictureFilter, QStringLiteral("Windows Bitmap (*.bmp)"));

    prompts.picture = QStringLiteral("/pic/A.BMP");
    click(dialog, "button1005");
    EXPECT_EQ(editText(dialog), QStringLiteral("\\*picfile:/pic/A.BMP"));
    click(dialog, "button1");
    EXPECT_EQ(key(4).caption, "\\*picfile:/pic/A.BMP");
}

TEST_F(CaptionDialogTest, APicturePathTooLongForTheCaptionLeavesTheTextAlone) {
    CaptionDialog dialog(nullptr, document, view, prompts, 4);
    dialog.show();
    prompts.picture = QStringLiteral("/") + QString(kMaxCaptionCharacters, QLatin1Char('p'));
    click(dialog, "button1005");
    EXPECT_EQ(editText(dialog), QString());
}

TEST(CaptionBuffer, GrowsToTheTextLengthPlusOneAndNeverShrinks) {
    kbxdoc::KeyRecord key;
    storeCaption(key, "");
    EXPECT_EQ(key.captionSize, 1u);  // a key without a buffer gets one
    key.captionSize = 80;
    storeCaption(key, "short");
    EXPECT_EQ(key.captionSize, 80u);
    const std::string longer(100, 'x');
    storeCaption(key, longer);
    EXPECT_EQ(key.captionSize, 101u);
    EXPECT_EQ(key.caption, longer);
    storeCaption(key, "ab");
    EXPECT_EQ(key.captionSize, 101u);
    EXPECT_EQ(key.caption, "ab");
}

TEST_F(CaptionDialogTest, OkStoresWindows1252TextAndTheCurrentKeyCopyFollowsASingleKey) {
    select(12);
    key(kbxdoc::kCurrentKeySlot) = key(12);
    CaptionDialog dialog(nullptr, document, view, prompts, 12);
    dialog.show();
    // Qt Test types ASCII only; the rest as an input method would put it.
    control<QLineEdit>(dialog, "edit11020").insert(QString::fromUtf8("Größe €"));
    click(dialog, "button1");
    EXPECT_EQ(key(12).caption, "Gr\xF6\xDF" "e \x80");
    EXPECT_EQ(key(kbxdoc::kCurrentKeySlot).caption, key(12).caption);
    EXPECT_EQ(key(kbxdoc::kCurrentKeySlot).column, key(12).column);
}

TEST_F(CaptionDialogTest, ALoneBackslashAtTheEndIsRefusedAndTheDialogStaysOpen) {
    key(4).caption = "old";
    CaptionDialog dialog(nullptr, document, view, prompts, 4);
    dialog.show();
    auto& edit = control<QLineEdit>(dialog, "edit11020");
    edit.setText(QStringLiteral("C:\\"));
    click(dialog, "button1");
    EXPECT_EQ(prompts.refusals.size(), 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(key(4).caption, "old");
    edit.setText(QStringLiteral("C:\\\\"));  // an escaped backslash is taken
    click(dialog, "button1");
    EXPECT_EQ(prompts.refusals.size(), 1);
    EXPECT_EQ(key(4).caption, "C:\\\\");
}

TEST_F(CaptionDialogTest, AHugeTextIsCutToWhatTheLayoutFileKeeps) {
    CaptionDialog dialog(nullptr, document, view, prompts, 4);
    dialog.show();
    control<QLineEdit>(dialog, "edit11020").setText(QString(5000, QLatin1Char('W')));
    click(dialog, "button1");
    EXPECT_EQ(key(4).caption.size(), static_cast<std::size_t>(kMaxCaptionCharacters));
    EXPECT_EQ(key(4).captionSize, static_cast<std::uint32_t>(kMaxCaptionCharacters + 1));
}

TEST_F(CaptionDialogTest, LocalSettingsEditOnlyThisKey) {
    select(4);
    select(9);
    CaptionDialog dialog(nullptr, document, view, prompts, 9);
    dialog.show();
    QString optionsTitle;
    whenModalShows([&](QDialog& options) {
        optionsTitle = options.windowTitle();
        testing::retype(options, "edit11041", QStringLiteral("2.5"));
        click(options, "button1");
    });
    click(dialog, "button1003");
    EXPECT_EQ(optionsTitle, QStringLiteral("Tasten-Beschriftungseinstellungen"));
    EXPECT_EQ(key(9).captionSettings.leftMargin, 2.5);
    EXPECT_EQ(key(4).captionSettings.leftMargin, 0.0);
    EXPECT_EQ(document.keyboard().captionDefaults.leftMargin, 1.0);
    dialog.reject();
}

}  // namespace
}  // namespace keyui::dialogs
