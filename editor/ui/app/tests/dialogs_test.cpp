// The new-document dialog 152 and the about box as the user sees them.

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "editor/ui/app/about_dialog.h"
#include "editor/ui/app/new_document_dialog.h"
#include "editor/ui/app/tests/app_fixture.h"

namespace keyui::app::testing {
namespace {

class DialogsTest : public AppTest {};

TEST_F(DialogsTest, TheNewDocumentDialogOffersCountriesAndModelsAndReportsTheChoice) {
    NewDocumentDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Tastaturtyp");
    QComboBox* countries = dialog.countryList();
    ASSERT_EQ(countries->count(), 8);
    EXPECT_EQ(countries->itemText(0), "GR - Deutschland");
    EXPECT_EQ(countries->itemText(6), "UK - Großbritannien (166)");
    EXPECT_EQ(countries->currentIndex(), 1) << "US - International first";
    EXPECT_EQ(dialog.glidepointBox()->text(), "Glidepoint");
    EXPECT_EQ(dialog.oposBox()->text(), "OPOS Einstellungen");
    ASSERT_NE(dialog.modelButton(19), nullptr);
    EXPECT_EQ(dialog.modelButton(20), nullptr);
    EXPECT_EQ(dialog.modelButton(0)->text(), "Dalo");
    EXPECT_EQ(dialog.modelButton(16)->text(), "Quin V1");
    EXPECT_TRUE(dialog.modelButton(0)->isChecked());
    EXPECT_EQ(dialog.choice().buttonPosition, 0);

    dialog.show();
    QTest::mouseClick(dialog.modelButton(16), Qt::LeftButton);
    QTest::mouseClick(dialog.glidepointBox(), Qt::LeftButton, {}, QPoint(8, dialog.glidepointBox()->height() / 2));
    countries->setCurrentIndex(5);
    EXPECT_FALSE(dialog.modelButton(0)->isChecked()) << "one button is marked at a time";
    const kbxdoc::NewDocumentChoice choice = dialog.choice();
    EXPECT_EQ(choice.buttonPosition, 16);
    EXPECT_EQ(choice.countryIndex, 5);
    EXPECT_TRUE(choice.glidepoint);
    EXPECT_FALSE(choice.opos);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "Abbruch");
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(DialogsTest, TheAboutHintIsEnglishWithTheEnglishTextsElseGerman) {
    editorState().englishTexts = true;
    AboutDialog english;
    EXPECT_EQ(english.hint()->toPlainText(),
              "Only press Keyboard Version Button, if drivers are installed and a Vyrn Keyboard is attached!");
    EXPECT_TRUE(english.versionButton()->isEnabled());
    EXPECT_EQ(english.versionButton()->text(), "Keyboard &Version");

    editorState().englishTexts = false;
    AboutDialog german;
    EXPECT_EQ(
        german.hint()->toPlainText(),
        "Nur Keyboard Version drücken, wenn die Treiber installiert sind und ein Vyrn Keyboard angeschlossen ist!");
}

}  // namespace
}  // namespace keyui::app::testing
