#include "editor/ui/download/interface_dialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/document/keyboard_data.h"
#include "editor/ui/core/texts.h"
#include "editor/ui/dialogs/sheet/fields.h"
#include "editor/ui/download/control_names.h"
#include "platform/usb_switch.h"

namespace keyui::download {

namespace {

enum ControlId : int {
    kBaudId = 11005,
    kParityId = 11006,
    kDataBitsId = 11007,
    kRtsCtsId = 11008,
    kKeyboardPortId = 11009,
    kSerialId = 11011,
    kUsbId = 11012,
    kFirstPortId = 11013,
};

constexpr const char* kParityEntries[] = {
    QT_TRANSLATE_NOOP("keyui::download::InterfaceDialog", "E - Gerade"),
    QT_TRANSLATE_NOOP("keyui::download::InterfaceDialog", "O - Ungerade"),
    QT_TRANSLATE_NOOP("keyui::download::InterfaceDialog", "N - No Parity"),
};
constexpr const char* kBaudEntries[] = {"300", "600", "1200", "2400", "4800", "9600", "19200"};
constexpr const char* kDataBitsEntries[] = {"7", "8"};

// Interface names that mean the keyboard port (letter case ignored).
constexpr const char* kKeyboardPortNames[] = {"AT", "PC"};
constexpr char kKeyboardPortName[] = "AT";
constexpr char kUsbName[] = "USB";
constexpr char kSerialName[] = "COM";

template <std::size_t N>
void fill(QComboBox& list, const char* const (&entries)[N], bool translated) {
    for (const char* entry : entries)
        list.addItem(translated ? InterfaceDialog::tr(entry) : QString::fromLatin1(entry));
}

bool namesKeyboardPort(const QString& name) {
    for (const char* portName : kKeyboardPortNames)
        if (name.compare(QLatin1String(portName), Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace

InterfaceDialog::InterfaceDialog(const kbxdoc::KeyboardData& keyboard, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Schnittstelle zum Download"));
    buildControls();
    showSettings(keyboard);
}

void InterfaceDialog::buildControls() {
    keyboardPort_ = namedControl(new QRadioButton(tr("AT"), this), "radio", kKeyboardPortId);
    usb_ = namedControl(new QRadioButton(tr("USB (OPOS Treiber erforderlich)"), this), "radio", kUsbId);
    serial_ = namedControl(new QRadioButton(tr("COM:"), this), "radio", kSerialId);
    interfaces_ = new QButtonGroup(this);
    for (QRadioButton* radio : {keyboardPort_, usb_, serial_}) interfaces_->addButton(radio);

    portGroup_ = new QButtonGroup(this);
    for (int port = 0; port < kPortCount; ++port) {
        const QString label = tr("COM%1:").arg(port + 1);
        ports_[std::size_t(port)] = namedControl(new QRadioButton(label, this), "radio", kFirstPortId + port);
        portGroup_->addButton(ports_[std::size_t(port)], port);
    }

    parity_ = namedControl(new QComboBox(this), "combo", kParityId);
    fill(*parity_, kParityEntries, true);
    baud_ = namedControl(new QComboBox(this), "combo", kBaudId);
    fill(*baud_, kBaudEntries, false);
    dataBits_ = namedControl(new QComboBox(this), "combo", kDataBitsId);
    fill(*dataBits_, kDataBitsEntries, false);
    rtsCts_ = namedControl(new QCheckBox(tr("RTS / CTS"), this), "check", kRtsCtsId);

    auto* ok = namedControl(new QPushButton(tr("OK"), this), "button", kOkButtonId);
    ok->setDefault(true);
    auto* cancel = namedControl(new QPushButton(tr("Abbrechen"), this), "button", kCancelButtonId);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* serialSettings = new QGridLayout;
    for (int port = 0; port < kPortCount; ++port) serialSettings->addWidget(ports_[std::size_t(port)], port, 0);
    const std::array<QString, 3> names{tr("&Parität:"), tr("&Baudrate:"), tr("&Datenbits:")};
    const std::array<QComboBox*, 3> lists{parity_, baud_, dataBits_};
    for (std::size_t row = 0; row < lists.size(); ++row) {
        settingLabels_[row] = new QLabel(names[row], this);
        settingLabels_[row]->setBuddy(lists[row]);
        serialSettings->addWidget(settingLabels_[row], int(row), 1);
        serialSettings->addWidget(lists[row], int(row), 2);
    }
    serialSettings->addWidget(rtsCts_, 3, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(keyboardPort_);
    layout->addWidget(usb_);
    layout->addWidget(serial_);
    layout->addLayout(serialSettings);
    layout->addLayout(buttons);

    connect(keyboardPort_, &QRadioButton::clicked, this, [this] { enableSerialControls(false); });
    connect(usb_, &QRadioButton::clicked, this, [this] { enableSerialControls(false); });
    connect(serial_, &QRadioButton::clicked, this, [this] { enableSerialControls(true); });
}

void InterfaceDialog::showSettings(const kbxdoc::KeyboardData& keyboard) {
    usb_->setEnabled(false);
    if (kbx::platform::usbChoiceEnabled()) {
        usb_->setEnabled(true);
        usb_->setText(tr("USB"));
    }
    dialogs::selectByStart(*parity_, fromAnsi(keyboard.parity.view()));
    dialogs::selectByStart(*dataBits_, QString::number(keyboard.dataBits));
    dialogs::selectByStart(*baud_, QString::number(keyboard.baud));
    rtsCts_->setChecked(keyboard.handshake != 0);

    // The port used last is not kept: the dialog always offers COM1.
    const bool keyboardPort = namesKeyboardPort(fromAnsi(keyboard.interfaceName.view()));
    (keyboardPort ? keyboardPort_ : serial_)->setChecked(true);
    ports_[0]->setChecked(true);
    enableSerialControls(!keyboardPort);
}

void InterfaceDialog::enableSerialControls(bool enabled) {
    for (QWidget* control : {static_cast<QWidget*>(parity_), static_cast<QWidget*>(baud_),
                             static_cast<QWidget*>(dataBits_), static_cast<QWidget*>(rtsCts_)})
        control->setEnabled(enabled);
    for (QRadioButton* port : ports_) port->setEnabled(enabled);
    for (QLabel* label : settingLabels_) label->setEnabled(enabled);
}

InterfaceChoice InterfaceDialog::choice() const {
    InterfaceChoice result;
    result.parity = dialogs::textUpToBlank(dialogs::selectedText(*parity_));
    result.dataBits = dialogs::selectedText(*dataBits_).toInt();
    result.baud = dialogs::selectedText(*baud_).toInt();
    result.rtsCts = rtsCts_->isChecked() ? 1 : 0;
    if (keyboardPort_->isChecked())
        result.name = QLatin1String(kKeyboardPortName);
    else if (usb_->isChecked())
        result.name = QLatin1String(kUsbName);
    else
        result.name = QLatin1String(kSerialName) + QString::number(std::max(portGroup_->checkedId(), 0) + 1);
    return result;
}

}  // namespace keyui::download
