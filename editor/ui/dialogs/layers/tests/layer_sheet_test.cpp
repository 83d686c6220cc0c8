#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include "editor/document/layer_table.h"
#include "editor/persist/layout_lines.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/dialogs/layers/layer_sheet.h"
#include "editor/ui/dialogs/layers/predefined_layer_names.h"

namespace keyui::dialogs {
namespace {

namespace fs = std::filesystem;

class LayerSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("layer_sheet_test_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        settingsFile_ = folder_ / "Vyrn.Ini";
        layers_ = kbxdoc::defaultLayerTable();
    }
    void TearDown() override { fs::remove_all(folder_); }

    void open(fs::path file = {}) {
        sheet_ = buildLayerSheet(nullptr, layers_, file.empty() ? settingsFile_ : file,
                                 [this](QWidget*, const QString& message) { messages_ << message; });
        sheet_->show();
    }
    // Shows the page (so that OK writes it) and finds one of its controls.
    template <typename Control>
    Control* control(int page, const char* name) {
        sheet_->setActivePage(page);
        return sheet_->page(page)->findChild<Control*>(QString::fromLatin1(name));
    }
    void clickOk() { QTest::mouseClick(sheet_->okButton(), Qt::LeftButton); }
    std::string settingsText() const {
        std::ifstream in(settingsFile_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder_;
    fs::path settingsFile_;
    kbxdoc::LayerTable layers_{};
    std::unique_ptr<PropertySheet> sheet_;
    QStringList messages_;
};

TEST_F(LayerSheetTest, NamedDefinitionsGetTheirPagesAndTheFirstFreeOneTheNewLayerPage) {
    layers_[8].name = "Kasse";  // after a gap: still listed
    open();
    ASSERT_EQ(sheet_->pageCount(), 8);
    EXPECT_EQ(sheet_->windowTitle(), "Layer definieren");
    EXPECT_EQ(sheet_->pageTitle(0), "Normal-Layer");
    EXPECT_EQ(sheet_->pageTitle(5), "AlwaysActive");
    EXPECT_EQ(sheet_->pageTitle(6), "Neuer Layer");
    EXPECT_EQ(sheet_->pageTitle(7), "Kasse");
}

TEST_F(LayerSheetTest, PageShowsTheFieldsOfItsDefinition) {
    layers_[6].name = "Eigene";
    layers_[6].conditions = 0x4061;  // Shift on, Control off, Alt any, Scroll on, trigger 1
    layers_[6].defaultAttributes = 0x101;
    open();
    EXPECT_EQ(control<QLineEdit>(6, "edit11026")->text(), "Eigene");
    EXPECT_EQ(control<QCheckBox>(6, "check11012")->checkState(), Qt::Checked);
    EXPECT_EQ(control<QCheckBox>(6, "check11013")->checkState(), Qt::Unchecked);
    EXPECT_EQ(control<QCheckBox>(6, "check11014")->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(control<QCheckBox>(6, "check11015")->checkState(), Qt::Checked);
    EXPECT_TRUE(control<QRadioButton>(6, "radio13001")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(6, "check11006")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(6, "check11007")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(6, "check11010")->isChecked());
    EXPECT_TRUE(control<QLineEdit>(6, "edit11026")->isEnabled());
}

TEST_F(LayerSheetTest, PredefinedNameInAnyCaseLocksNameStatesAndTrigger) {
    layers_[1].name = "shift-layer";
    open();
    EXPECT_FALSE(control<QLineEdit>(1, "edit11026")->isEnabled());
    for (const char* name : {"check11012", "check11013", "check11014", "check11015", "check11016", "check11017",
                             "check11018", "check11010", "check11011", "radio13000", "radio13001", "radio13002"})
        EXPECT_FALSE(control<QWidget>(1, name)->isEnabled()) << name;
    for (const char* name : {"check11006", "check11007", "check11008"})
        EXPECT_TRUE(control<QWidget>(1, name)->isEnabled()) << name;
    EXPECT_TRUE(control<QLineEdit>(5, "edit11026")->isEnabled());  // "AlwaysActive"
}

TEST(PredefinedLayerNames, CompareWithoutLetterCaseUnlikeTheAddLayerRule) {
    EXPECT_TRUE(isPredefinedLayerName("SHIFT-LAYER"));
    EXPECT_TRUE(isPredefinedLayerName("fn-key-layer"));
    EXPECT_FALSE(isPredefinedLayerName("END"));
    EXPECT_FALSE(isPredefinedLayerName("Shift-Layer "));
    EXPECT_FALSE(kbxdoc::isReservedLayerName("SHIFT-LAYER"));
}

TEST_F(LayerSheetTest, NamingTheNewLayerPageCreatesTheLayerAndRetitlesThePage) {
    open();
    control<QLineEdit>(6, "edit11026")->setText("Kasse");
    control<QCheckBox>(6, "check11012")->setCheckState(Qt::Checked);
    clickOk();
    EXPECT_EQ(layers_[6].name, "Kasse");
    EXPECT_EQ(kbxdoc::fieldValue(layers_[6].conditions, kbxdoc::kConditionShift), 1u);
    EXPECT_EQ(sheet_->pageTitle(6), "Kasse");
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(LayerSheetTest, LeavingTheNewLayerPageEmptyCreatesNothing) {
    open();
    control<QCheckBox>(6, "check11012")->setCheckState(Qt::Checked);
    clickOk();
    EXPECT_EQ(layers_[6], kbxdoc::LayerDefinition{});
    EXPECT_EQ(sheet_->pageTitle(6), "Neuer Layer");
}

TEST_F(LayerSheetTest, ErasingANameFreesTheDefinitionForTheNextNewLayerPage) {
    layers_[6].name = "Kasse";
    open();
    control<QLineEdit>(5, "edit11026")->clear();
    clickOk();
    EXPECT_TRUE(layers_[5].name.empty());
    open();
    ASSERT_EQ(sheet_->pageCount(), 7);
    EXPECT_EQ(sheet_->pageTitle(5), "Neuer Layer");
    EXPECT_EQ(sheet_->pageTitle(6), "Kasse");
}

TEST_F(LayerSheetTest, GreyedShiftStoresTwoAndOtherBitsAreKept) {
    layers_[5].conditions = 0xFFFF0001;
    layers_[5].defaultAttributes = 0xFFFF30C0;  // slow output and bits 12+ outside the page's fields
    open();
    control<QCheckBox>(5, "check11012")->setCheckState(Qt::PartiallyChecked);
    control<QRadioButton>(5, "radio13002")->click();
    control<QCheckBox>(5, "check11006")->setChecked(true);
    clickOk();
    EXPECT_EQ(kbxdoc::fieldValue(layers_[5].conditions, kbxdoc::kConditionShift), 2u);
    EXPECT_EQ(kbxdoc::fieldValue(layers_[5].conditions, kbxdoc::kConditionTrigger), 2u);
    EXPECT_EQ(layers_[5].conditions & 0xFFFF0000u, 0xFFFF0000u);
    EXPECT_EQ(layers_[5].defaultAttributes, 0xFFFF30C1u);
}

TEST_F(LayerSheetTest, AGreyedShiftIsLeftOutOfTheLayoutsKeyLines) {
    layers_[5].conditions = 0xAAA9;  // Shift on, everything else any
    kbxdoc::KeyRecord key;
    key.templateGeometry = {0, 0, 12, 12};
    key.layers[5].programming = "x";
    const auto conditionsOf = [&] {
        const std::string line = kbxdoc::persist::keyProgrammingLine(key, 0, layers_[5], 5).value_or("");
        return line.substr(0, line.find(':'));
    };
    EXPECT_NE(conditionsOf().find("+S"), std::string::npos);
    open();
    control<QCheckBox>(5, "check11012")->setCheckState(Qt::PartiallyChecked);
    clickOk();
    EXPECT_EQ(conditionsOf().find('S'), std::string::npos) << conditionsOf();
}

TEST_F(LayerSheetTest, AHundredCharacterNameIsStoredAsItsFirst79) {
    open();
    const QString longName(100, QLatin1Char('x'));
    control<QLineEdit>(5, "edit11026")->setText(longName);
    clickOk();
    EXPECT_EQ(layers_[5].name.str(), std::string(79, 'x'));
}

TEST_F(LayerSheetTest, OkWritesAllSixteenDefinitionsToTheSettingsFile) {
    open();
    control<QLineEdit>(6, "edit11026")->setText("Kasse");
    clickOk();
    const std::string text = settingsText();
    EXPECT_NE(text.find("[VyrnKey]"), std::string::npos);
    EXPECT_NE(text.find("Layer0=\"Normal-Layer\",8A80,10"), std::string::npos);
    EXPECT_NE(text.find("Layer4=\"StdKey-Layer\",4AAA,514"), std::string::npos);
    EXPECT_NE(text.find("Layer6=\"Kasse\","), std::string::npos);
    EXPECT_NE(text.find("Layer15=\"\",0,0"), std::string::npos);
}

TEST_F(LayerSheetTest, AbbrechenLeavesTableAndFileAlone) {
    const kbxdoc::LayerTable before = layers_;
    open();
    control<QLineEdit>(5, "edit11026")->setText("Anders");
    QTest::mouseClick(sheet_->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(layers_, before);
    EXPECT_FALSE(fs::exists(settingsFile_));
}

TEST_F(LayerSheetTest, AFailedSaveKeepsTheEditedTableAndTellsTheUser) {
    open(folder_ / "missing" / "Vyrn.Ini");
    control<QLineEdit>(6, "edit11026")->setText("Kasse");
    clickOk();
    EXPECT_EQ(layers_[6].name, "Kasse");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("Vyrn.Ini"));
}

// Command 117 as the main window runs it: modal, over the application's
// layer table and settings file.
class RunLayerSheetTest : public LayerSheetTest {
protected:
    void TearDown() override {
        resetEditorStateForTests();
        LayerSheetTest::TearDown();
    }
    // Clicks a button of the modal sheet once it runs.
    static void pressWhenShown(bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* sheet = qobject_cast<PropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            QTest::mouseClick(ok ? sheet->okButton() : sheet->cancelButton(), Qt::LeftButton);
        });
    }
};

// A layer named in the sheet is one step of the document's history; undoing
// it gives the application's table back as it was.
TEST_F(RunLayerSheetTest, ANamedLayerIsOneUndoStep) {
    EditorState& state = editorState();
    state.layers = kbxdoc::defaultLayerTable();
    state.settingsFile = settingsFile_;
    const kbxdoc::LayerTable before = state.layers;
    KeyDocument document;
    QTimer::singleShot(0, [] {
        auto* sheet = qobject_cast<PropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        sheet->tabs()->setCurrentIndex(6);
        auto* name = sheet->tabs()->widget(6)->findChild<QLineEdit*>(QStringLiteral("edit11026"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("Kasse"));
        QTest::mouseClick(sheet->okButton(), Qt::LeftButton);
    });
    runLayerSheet(nullptr, document, document.documentContext());
    EXPECT_EQ(state.layers[6].name, "Kasse");
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.history().undoText(), "Ebenen");
    document.history().undo();
    EXPECT_TRUE(state.layers == before);
    EXPECT_FALSE(document.isModified());
}

TEST_F(RunLayerSheetTest, OkSavesTheApplicationsTableAndTellsTheDocument) {
    EditorState& state = editorState();
    state.layers = kbxdoc::defaultLayerTable();
    state.settingsFile = settingsFile_;
    KeyDocument document;
    QSignalSpy layerList(&document, &KeyDocument::layerNamesChanged);
    pressWhenShown(true);
    runLayerSheet(nullptr, document, document.documentContext());
    EXPECT_FALSE(document.isModified()) << "the table OK kept is the one the document had";
    EXPECT_EQ(layerList.count(), 1);
    EXPECT_NE(settingsText().find("Layer0=\"Normal-Layer\",8A80,10"), std::string::npos);
}

TEST_F(RunLayerSheetTest, AbbrechenWritesNoFileAndLeavesTheLayerListAlone) {
    editorState().layers = kbxdoc::defaultLayerTable();
    editorState().settingsFile = settingsFile_;
    KeyDocument document;
    QSignalSpy layerList(&document, &KeyDocument::layerNamesChanged);
    pressWhenShown(false);
    runLayerSheet(nullptr, document, document.documentContext());
    EXPECT_EQ(layerList.count(), 0);
    EXPECT_FALSE(fs::exists(settingsFile_));
}

}  // namespace
}  // namespace keyui::dialogs
