// Dialog 142: the controls show the stored options and mode, real clicks
// change them, OK stores them and "Abbruch" leaves them alone.

#include "editor/ui/print/print_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/print/tests/modal_dialogs.h"

namespace keyui::print {
namespace {

using testing::click;
using testing::whileModal;

struct OptionBox {
    int id;
    std::uint8_t bit;
    bool inverted;
};

constexpr OptionBox kBoxes[] = {
    {11051, 0x01, false}, {11050, 0x02, false}, {11052, 0x04, false}, {11053, 0x08, false},
    {11055, 0x10, true},  {11054, 0x20, false}, {11056, 0x40, false}, {11057, 0x80, false},
};

bool ticked(QWidget& dialog, int id) { return dialog.findChild<QAbstractButton*>(controlName(id))->isChecked(); }

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override { resetEditorStateForTests(); }
};

TEST_F(PrintDialogTest, EveryBoxShowsItsBitTheBackgroundBoxInvertedAndAClickTogglesJustThatBit) {
    for (const OptionBox& box : kBoxes) {
        for (std::uint8_t options : {std::uint8_t(0), box.bit, std::uint8_t(0x5A)}) {
            PrintOptionsDialog dialog(options, PrintMode::KeyboardTemplate);
            dialog.show();
            EXPECT_EQ(ticked(dialog, box.id), ((options & box.bit) != 0) != box.inverted) << box.id;
            EXPECT_EQ(dialog.options(), options);
            click(dialog, box.id);
            EXPECT_EQ(dialog.options(), options ^ box.bit) << box.id;
        }
    }
}

TEST_F(PrintDialogTest, TheRadiosShowAndChooseTheMode) {
    PrintOptionsDialog dialog(0, PrintMode::SortedBySize);
    dialog.show();
    EXPECT_TRUE(ticked(dialog, kSortedRadioId));
    EXPECT_FALSE(ticked(dialog, kTemplateRadioId));
    click(dialog, kTemplateRadioId);
    EXPECT_EQ(dialog.mode(), PrintMode::KeyboardTemplate);
}

TEST_F(PrintDialogTest, OkStoresTheClickedOptionsAndModeAndCancelKeepsTheStoredOnes) {
    editorState().printOptions = kPrintCutLines;
    const auto accept = [](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Drucken");
        click(dialog, 11051);  // border on
        click(dialog, 11055);  // no background: its bit is set
        click(dialog, 11050);  // cut lines off
        click(dialog, kSortedRadioId);
        click(dialog, kOkButtonId);
    };
    EXPECT_TRUE(whileModal(accept, [] { return askPrintOptions(nullptr); }));
    EXPECT_EQ(editorState().printOptions, kPrintKeyBorder | kPrintNoBackground);
    EXPECT_EQ(editorState().printMode, 1);

    const auto cancel = [](QWidget& dialog) {
        EXPECT_EQ(dialog.findChild<QPushButton*>(controlName(kCancelButtonId))->text(), "Abbruch");
        click(dialog, 11057);
        click(dialog, kTemplateRadioId);
        click(dialog, kCancelButtonId);
    };
    EXPECT_FALSE(whileModal(cancel, [] { return askPrintOptions(nullptr); }));
    EXPECT_EQ(editorState().printOptions, kPrintKeyBorder | kPrintNoBackground);
    EXPECT_EQ(editorState().printMode, 1);
}

}  // namespace
}  // namespace keyui::print
