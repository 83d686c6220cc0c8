// Dialog 142: the controls show the stored options and mode, real clicks
// change them, OK stores them and "Abbruch" leaves them alone.

#include "editor/ui/print/print_dialog.h"

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "editor/ui/core/editor_state.h"

namespace keyui::print {
namespace {

struct OptionBox {
    int id;
    std::uint8_t bit;
    bool inverted;
};

// The check boxes and their bits as the user knows them.
constexpr OptionBox kBoxes[] = {
    {11051, 0x01, false}, {11050, 0x02, false}, {11052, 0x04, false}, {11053, 0x08, false},
    {11055, 0x10, true},  {11054, 0x20, false}, {11056, 0x40, false}, {11057, 0x80, false},
};

template <typename Control>
Control* control(QWidget& dialog, int id) {
    auto* found = dialog.findChild<Control*>(controlName(id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

void click(QWidget& dialog, int id) { QTest::mouseClick(control<QAbstractButton>(dialog, id), Qt::LeftButton); }

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override { resetEditorStateForTests(); }
};

TEST_F(PrintDialogTest, EveryBoxShowsItsBitAndTheBackgroundBoxShowsItInverted) {
    for (const OptionBox& box : kBoxes) {
        for (std::uint8_t options : {std::uint8_t(0), box.bit, std::uint8_t(0xFF)}) {
            PrintOptionsDialog dialog(options, PrintMode::KeyboardTemplate);
            const bool set = (options & box.bit) != 0;
            EXPECT_EQ(control<QCheckBox>(dialog, box.id)->isChecked(), set != box.inverted)
                << box.id << " options " << int(options);
            EXPECT_EQ(dialog.options(), options);
        }
    }
    PrintOptionsDialog dialog(0, PrintMode::SortedBySize);
    EXPECT_EQ(control<QCheckBox>(dialog, 11055)->text(), QString::fromUtf8("Hintergrundfarbe drucken"));
}

TEST_F(PrintDialogTest, ClickingEachBoxTogglesExactlyItsBit) {
    for (const OptionBox& box : kBoxes) {
        PrintOptionsDialog dialog(0x5A, PrintMode::KeyboardTemplate);
        dialog.show();
        click(dialog, box.id);
        EXPECT_EQ(dialog.options(), std::uint8_t(0x5A ^ box.bit)) << box.id;
    }
}

TEST_F(PrintDialogTest, TheRadiosShowAndChooseTheMode) {
    PrintOptionsDialog dialog(0, PrintMode::SortedBySize);
    dialog.show();
    EXPECT_TRUE(control<QRadioButton>(dialog, kSortedRadioId)->isChecked());
    EXPECT_FALSE(control<QRadioButton>(dialog, kTemplateRadioId)->isChecked());
    click(dialog, kTemplateRadioId);
    EXPECT_EQ(dialog.mode(), PrintMode::KeyboardTemplate);
    click(dialog, kSortedRadioId);
    EXPECT_EQ(dialog.mode(), PrintMode::SortedBySize);
}

// Runs askPrintOptions while `act` clicks in the dialog once it is up.
bool askWhile(const std::function<void(QWidget&)>& act) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
    return askPrintOptions(nullptr);
}

TEST_F(PrintDialogTest, OkStoresTheClickedOptionsAndModeInTheEditorState) {
    editorState().printOptions = kPrintCutLines;
    editorState().printMode = 0;
    const bool accepted = askWhile([](QWidget& dialog) {
        click(dialog, 11051);  // border on
        click(dialog, 11055);  // background off: the bit is set
        click(dialog, 11050);  // cut lines off
        click(dialog, kSortedRadioId);
        click(dialog, kOkButtonId);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(editorState().printOptions, kPrintKeyBorder | kPrintNoBackground);
    EXPECT_EQ(editorState().printMode, 1);
}

TEST_F(PrintDialogTest, CancelKeepsTheStoredOptionsAndMode) {
    editorState().printOptions = kPrintScaleToPage;
    editorState().printMode = 1;
    const bool accepted = askWhile([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Drucken");
        EXPECT_EQ(control<QPushButton>(dialog, kCancelButtonId)->text(), "Abbruch");
        click(dialog, 11057);
        click(dialog, kTemplateRadioId);
        click(dialog, kCancelButtonId);
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(editorState().printOptions, kPrintScaleToPage);
    EXPECT_EQ(editorState().printMode, 1);
}

}  // namespace
}  // namespace keyui::print
