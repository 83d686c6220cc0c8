#pragma once

// The download-interface dialog ("Schnittstelle zum Download"): keyboard
// port, USB (offered only when the USB switch is on) or a serial port with
// its settings. It opens with the document's interface settings and hands
// back the choice on OK; nothing is written back to the document.

#include <array>

#include <QDialog>

#include "editor/ui/download/interface_choice.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace kbxdoc {
struct KeyboardData;
}

namespace keyui::download {

class InterfaceDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPortCount = 4;

    explicit InterfaceDialog(const kbxdoc::KeyboardData& keyboard, QWidget* parent = nullptr);

    // The values of the controls as OK reads them.
    InterfaceChoice choice() const;

private:
    void buildControls();
    void showSettings(const kbxdoc::KeyboardData& keyboard);
    void enableSerialControls(bool enabled);

    QRadioButton* keyboardPort_ = nullptr;  // 11009
    QRadioButton* usb_ = nullptr;           // 11012
    QRadioButton* serial_ = nullptr;        // 11011
    std::array<QRadioButton*, kPortCount> ports_{};  // 11013-11016
    QButtonGroup* interfaces_ = nullptr;
    QButtonGroup* portGroup_ = nullptr;
    QComboBox* parity_ = nullptr;    // 11006
    QComboBox* baud_ = nullptr;      // 11005
    QComboBox* dataBits_ = nullptr;  // 11007
    std::array<QLabel*, 3> settingLabels_{};  // of parity, baud rate and data bits
    QCheckBox* rtsCts_ = nullptr;    // 11008
};

}  // namespace keyui::download
