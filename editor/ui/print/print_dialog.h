#pragma once

// Dialog 142 "Drucken": which parts of the key caps are printed, which keys,
// and whether as the keyboard template or sorted by key size.

#include <cstdint>

#include <QDialog>

#include "editor/ui/legend/print_options.h"

class QAbstractButton;
class QCheckBox;
class QRadioButton;

namespace keyui::print {

class PrintOptionsDialog : public QDialog {
    Q_OBJECT
public:
    PrintOptionsDialog(std::uint8_t options, PrintMode mode, QWidget* parent = nullptr);

    // What the controls show now: the options byte and the mode.
    std::uint8_t options() const;
    PrintMode mode() const;

private:
    void showOptions(std::uint8_t options, PrintMode mode);
};

// Shows the dialog modally with the options and mode of editorState() and
// stores them there on OK. False when the user cancelled.
bool askPrintOptions(QWidget* parent);

// The object name a control of the dialog carries: "control" and its id.
QString controlName(int id);

// Ids of the dialog's buttons.
inline constexpr int kOkButtonId = 1;
inline constexpr int kCancelButtonId = 2;
inline constexpr int kTemplateRadioId = 11047;
inline constexpr int kSortedRadioId = 11048;

}  // namespace keyui::print
