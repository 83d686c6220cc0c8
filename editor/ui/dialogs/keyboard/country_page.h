#pragma once

// Page "Land": the national keyboard layout, the lock-key behaviour and the
// hotkeys for online programming.

#include "editor/document/keyboard_data.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace keyui::dialogs {

class CountryPage : public SheetPage {
    Q_OBJECT
public:
    explicit CountryPage(kbxdoc::KeyboardData& keyboard, QWidget* parent = nullptr);

    void initialise() override;
    void commit() override;

private:
    kbxdoc::KeyboardData& keyboard_;
    QComboBox* country_ = nullptr;
    QRadioButton* shiftLock_ = nullptr;
    QRadioButton* capsLock_ = nullptr;
    QCheckBox* hotkeys_ = nullptr;
};

}  // namespace keyui::dialogs
