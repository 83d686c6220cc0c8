#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/modules/module_page.h"
#include "editor/ui/dialogs/modules/module_sheet.h"

namespace keyui::dialogs {
namespace {

enum Page { kBarcode, kFunctionCard, kKeyLock, kKvk, kMsr };

class ModuleSheetTest : public ::testing::Test {
protected:
    void SetUp() override { resetEditorStateForTests(); }

    // The sheet shown without a modal loop, every page visited.
    void show() {
        sheet = buildModuleSheet(nullptr, document, [this](int slot) {
            opened.push_back(slot);
            // A header closed with OK has changed its key.
            if (openerAnswer) document.keyboard().keys[static_cast<std::size_t>(slot)].layers[0].programming = "ab";
            return openerAnswer;
        });
        sheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        for (int i = sheet->pageCount() - 1; i >= 0; --i) sheet->tabs()->setCurrentIndex(i);
    }
    template <typename T>
    T& control(Page page, const QString& name) {
        auto* found = sheet->page(page)->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }
    QCheckBox& check(Page page, int id) { return control<QCheckBox>(page, QStringLiteral("check%1").arg(id)); }
    kbxdoc::KeyRecord& key(int slot) { return document.keyboard().keys[static_cast<std::size_t>(slot)]; }

    KeyDocument document;
    std::unique_ptr<ModuleSheet> sheet;
    std::vector<int> opened;
    bool openerAnswer = false;
};

TEST_F(ModuleSheetTest, FivePagesInTheirOrderUnderTheSheetTitle) {
    show();
    EXPECT_EQ(sheet->windowTitle(), "Module einstellen");
    QStringList titles;
    for (int i = 0; i < sheet->pageCount(); ++i) titles << sheet->pageTitle(i);
    EXPECT_EQ(titles, (QStringList{"Barcode", "Funktionskarte", "Schlüsselschalter", "KVK Leser", "MSR"}));
}

TEST_F(ModuleSheetTest, TheSwitchesShowTheirBytesAndOkWritesThemBack) {
    key(193).moduleOption1 = 0;  // barcode
    key(191).moduleOption1 = 1;  // function card
    key(187).moduleOption1 = 0;  // key lock
    key(199).moduleOption1 = 1;  // MSR Autoinput
    key(199).moduleOption2 = 0;  // sentinels
    key(198).moduleOption1 = 1;
    key(196).moduleOption1 = 0;
    key(194).moduleOption1 = 1;
    document.keyboard().msrThreeTrack = 1;
    document.keyboard().msrLrc = 0;
    show();
    EXPECT_FALSE(check(kBarcode, 11027).isChecked());
    EXPECT_TRUE(check(kFunctionCard, 11027).isChecked());
    EXPECT_FALSE(check(kKeyLock, 11027).isChecked());
    EXPECT_TRUE(check(kMsr, 11027).isChecked());
    EXPECT_FALSE(check(kMsr, 11031).isChecked());
    EXPECT_TRUE(check(kMsr, 11028).isChecked());
    EXPECT_FALSE(check(kMsr, 11029).isChecked());
    EXPECT_TRUE(check(kMsr, 11030).isChecked());
    EXPECT_TRUE(check(kMsr, 11038).isChecked());
    EXPECT_FALSE(check(kMsr, 11039).isChecked());

    for (auto [page, id] : std::initializer_list<std::pair<Page, int>>{
             {kBarcode, 11027}, {kFunctionCard, 11027}, {kKeyLock, 11027}, {kMsr, 11027}, {kMsr, 11031},
             {kMsr, 11028}, {kMsr, 11029}, {kMsr, 11030}, {kMsr, 11038}, {kMsr, 11039}})
        check(page, id).toggle();
    sheet->accept();
    EXPECT_EQ(key(193).moduleOption1, 1);
    EXPECT_EQ(key(191).moduleOption1, 0);
    EXPECT_EQ(key(187).moduleOption1, 1);
    EXPECT_EQ(key(199).moduleOption1, 0);
    EXPECT_EQ(key(199).moduleOption2, 1);
    EXPECT_EQ(key(198).moduleOption1, 0);
    EXPECT_EQ(key(196).moduleOption1, 1);
    EXPECT_EQ(key(194).moduleOption1, 0);
    EXPECT_EQ(document.keyboard().msrThreeTrack, 0);
    EXPECT_EQ(document.keyboard().msrLrc, 1);
}

TEST_F(ModuleSheetTest, TheKvkFormatIsTheIndexOfTheSelectedButtonInBitsZeroAndOne) {
    key(185).moduleOption1 = 0xF1;  // BA1, other bits set
    show();
    EXPECT_TRUE(control<QRadioButton>(kKvk, "radio11037").isChecked());
    sheet->tabs()->setCurrentIndex(kKvk);
    auto& ba2 = control<QRadioButton>(kKvk, "radio11038");
    QTest::mouseClick(&ba2, Qt::LeftButton, {}, QPoint(5, ba2.height() / 2));  // on the indicator
    EXPECT_TRUE(control<QRadioButton>(kKvk, "radio11038").isChecked());
    sheet->accept();
    EXPECT_EQ(key(185).moduleOption1, 0xF2);
}

TEST_F(ModuleSheetTest, AKvkFormatWithoutAButtonShowsTheFirst) {
    key(185).moduleOption1 = 3;
    show();
    EXPECT_TRUE(control<QRadioButton>(kKvk, "radio11036").isChecked());
    sheet->accept();
    EXPECT_EQ(key(185).moduleOption1, 0);
}

TEST_F(ModuleSheetTest, TheBadReadStringCrossesAsWindows1252AndStaysWithinItsField) {
    document.keyboard().msrBadRead = "Fehler \xE4";
    show();
    auto& edit = control<QLineEdit>(kMsr, "edit11049");
    EXPECT_EQ(edit.text(), QString::fromUtf8("Fehler ä"));
    edit.setText(QString::fromUtf8("Lesefehler €"));
    sheet->accept();
    EXPECT_EQ(document.keyboard().msrBadRead, "Lesefehler \x80");

    show();
    control<QLineEdit>(kMsr, "edit11049").setText(QString(1000, QLatin1Char('z')));
    sheet->accept();
    EXPECT_EQ(document.keyboard().msrBadRead.str(), std::string(kbxdoc::kSettingTextField - 1, 'z'));
}

TEST_F(ModuleSheetTest, OkMarksTheDocumentModifiedOnlyWhenAValueChanged) {
    show();
    sheet->accept();
    EXPECT_FALSE(document.isModified());
    show();
    check(kBarcode, 11027).toggle();
    sheet->reject();
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(key(193).moduleOption1, 0);
    show();
    check(kBarcode, 11027).toggle();
    sheet->accept();
    EXPECT_TRUE(document.isModified());
}

TEST_F(ModuleSheetTest, EveryHeaderAndTrailerButtonOpensTheProgrammingOfItsPseudoKey) {
    struct Button {
        Page page;
        int id;
        int slot;
        const char* text;
    };
    const Button buttons[] = {
        {kBarcode, 11032, 193, "Vorspann"},      {kBarcode, 11035, 192, "Abspann"},
        {kFunctionCard, 11032, 191, "Vorspann"}, {kFunctionCard, 11035, 190, "Abspann"},
        {kFunctionCard, 11033, 189, "Vorspann"}, {kFunctionCard, 11036, 188, "Abspann"},
        {kKeyLock, 11032, 187, "Vorspann"},      {kKeyLock, 11035, 186, "Abspann"},
        {kMsr, 11032, 199, "Vorspann"},          {kMsr, 11033, 197, "Vorspann"},
        {kMsr, 11034, 195, "Vorspann"},          {kMsr, 11035, 198, "Abspann"},
        {kMsr, 11036, 196, "Abspann"},           {kMsr, 11037, 194, "Abspann"},
    };
    show();
    for (const Button& button : buttons) {
        opened.clear();
        auto& push = control<QPushButton>(button.page, QStringLiteral("button%1").arg(button.id));
        EXPECT_EQ(push.text(), button.text) << button.id;
        QTest::mouseClick(&push, Qt::LeftButton);
        EXPECT_EQ(opened, std::vector<int>{button.slot}) << button.page << " " << button.id;
    }
    // Every opener answered "cancelled".
    EXPECT_FALSE(document.isModified());
}

TEST_F(ModuleSheetTest, AHeaderClosedWithOkMarksTheDocumentModifiedEvenWhenTheSheetIsCancelled) {
    openerAnswer = true;
    show();
    QTest::mouseClick(&control<QPushButton>(kMsr, "button11033"), Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<int>{197});
    EXPECT_TRUE(document.isModified());
    sheet->reject();
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.history().undoText(), "Tastenprogrammierung");
}

}  // namespace
}  // namespace keyui::dialogs
