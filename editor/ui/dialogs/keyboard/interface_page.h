#pragma once

// Page "Schnittstelle": the PC interface, the serial settings used with
// "COM:" and the LED information for a chained keyboard.

#include <array>

#include "editor/document/keyboard_data.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace keyui::dialogs {

inline constexpr int kInterfaceKindCount = 3;

class InterfacePage : public SheetPage {
    Q_OBJECT
public:
    explicit InterfacePage(kbxdoc::KeyboardData& keyboard, QWidget* parent = nullptr);

    void initialise() override;
    void commit() override;

private:
    // The serial settings are open only while "COM:" is chosen.
    void enableSerialSettings();

    kbxdoc::KeyboardData& keyboard_;
    std::array<QRadioButton*, kInterfaceKindCount> kinds_{};
    QComboBox* parity_ = nullptr;
    QComboBox* baud_ = nullptr;
    QComboBox* dataBits_ = nullptr;
    QCheckBox* handshake_ = nullptr;
    QCheckBox* chainedLeds_ = nullptr;
};

}  // namespace keyui::dialogs
