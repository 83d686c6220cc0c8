#include "editor/ui/dialogs/keyboard/interface_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/ui/core/texts.h"
#include "editor/ui/dialogs/keyboard/page_controls.h"
#include "editor/ui/dialogs/sheet/fields.h"

namespace keyui::dialogs {

namespace {

// The interface kinds by radio button; a stored kind that is neither of the
// first two names shows as the last, the serial interface.
struct InterfaceKind {
    int id;
    const char* text;
    const char* stored;
};
constexpr std::array<InterfaceKind, kInterfaceKindCount> kInterfaceKinds{{
    {11009, QT_TRANSLATE_NOOP("keyui::dialogs::InterfacePage", "AT / USB"), "AT"},
    {11010, QT_TRANSLATE_NOOP("keyui::dialogs::InterfacePage", "PC"), "PC"},
    {11011, QT_TRANSLATE_NOOP("keyui::dialogs::InterfacePage", "COM:"), "COM"},
}};
constexpr std::size_t kSerialKind = kInterfaceKindCount - 1;

// The parity is each entry's text up to its first blank.
constexpr std::array kParities{
    QT_TRANSLATE_NOOP("keyui::dialogs::InterfacePage", "E - Gerade"),
    QT_TRANSLATE_NOOP("keyui::dialogs::InterfacePage", "O - Ungerade"),
    QT_TRANSLATE_NOOP("keyui::dialogs::InterfacePage", "N - Keine Parität"),
};
constexpr std::array kBaudRates{"300", "600", "1200", "2400", "4800", "9600", "19200"};
constexpr std::array kDataBits{"7", "8"};

constexpr int kParityListId = 11006;
constexpr int kBaudListId = 11005;
constexpr int kDataBitsListId = 11007;
constexpr int kHandshakeId = 11008;
constexpr int kChainedLedsId = 11052;

template <std::size_t Count>
void fill(QComboBox& list, const std::array<const char*, Count>& entries, bool translate) {
    for (const char* entry : entries) list.addItem(translate ? InterfacePage::tr(entry) : QString::fromLatin1(entry));
}

}  // namespace

InterfacePage::InterfacePage(kbxdoc::KeyboardData& keyboard, QWidget* parent)
    : SheetPage(parent), keyboard_(keyboard) {
    auto* layout = new QVBoxLayout(this);

    auto* kindGroup = new QGroupBox(tr(" Schnittstelle "), this);
    auto* kindLayout = new QVBoxLayout(kindGroup);
    for (std::size_t i = 0; i < kInterfaceKinds.size(); ++i) {
        kinds_[i] = makeRadio(kInterfaceKinds[i].id, tr(kInterfaceKinds[i].text), kindGroup);
        kindLayout->addWidget(kinds_[i]);
        connect(kinds_[i], &QRadioButton::toggled, this, [this] { enableSerialSettings(); });
    }
    layout->addWidget(kindGroup);

    auto* serialGroup = new QGroupBox(tr(" COM: - Konfiguration "), this);
    auto* serialLayout = new QFormLayout(serialGroup);
    parity_ = makeList(kParityListId, serialGroup);
    fill(*parity_, kParities, true);
    baud_ = makeList(kBaudListId, serialGroup);
    fill(*baud_, kBaudRates, false);
    dataBits_ = makeList(kDataBitsListId, serialGroup);
    fill(*dataBits_, kDataBits, false);
    handshake_ = makeCheck(kHandshakeId, tr("RTS / CTS"), serialGroup);
    serialLayout->addRow(tr("Parität:"), parity_);
    serialLayout->addRow(tr("Baudrate:"), baud_);
    serialLayout->addRow(tr("Datenbits:"), dataBits_);
    serialLayout->addRow(handshake_);
    layout->addWidget(serialGroup);

    auto* chainedGroup = new QGroupBox(tr("verkettete Tastatur"), this);
    auto* chainedLayout = new QVBoxLayout(chainedGroup);
    chainedLeds_ = makeCheck(kChainedLedsId,
                             tr("Verkettete Tastatur initialisieren und\n"
                                "LED-Informationen an sie senden"),
                             chainedGroup);
    chainedLayout->addWidget(chainedLeds_);
    layout->addWidget(chainedGroup);
    layout->addStretch();
}

void InterfacePage::initialise() {
    selectByStart(*parity_, fromAnsi(keyboard_.parity.view()));
    selectByStart(*baud_, QString::number(keyboard_.baud));
    selectByStart(*dataBits_, QString::number(keyboard_.dataBits));
    handshake_->setChecked(keyboard_.handshake != 0);
    chainedLeds_->setChecked(keyboard_.chainedKeyboardInit != 0);
    const QString stored = fromAnsi(keyboard_.interfaceName.view());
    std::size_t kind = kSerialKind;
    for (std::size_t i = 0; i < kSerialKind; ++i)
        if (stored.compare(QLatin1String(kInterfaceKinds[i].stored), Qt::CaseInsensitive) == 0) kind = i;
    kinds_[kind]->setChecked(true);
    enableSerialSettings();
}

void InterfacePage::enableSerialSettings() {
    const bool serial = kinds_[kSerialKind]->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{parity_, baud_, dataBits_, handshake_})
        control->setEnabled(serial);
}

void InterfacePage::commit() {
    keyboard_.parity = toAnsi(textUpToBlank(selectedText(*parity_)));
    keyboard_.baud = selectedText(*baud_).toInt();
    keyboard_.dataBits = selectedText(*dataBits_).toInt();
    std::size_t kind = kSerialKind;
    for (std::size_t i = 0; i < kinds_.size(); ++i)
        if (kinds_[i]->isChecked()) kind = i;
    keyboard_.interfaceName = kInterfaceKinds[kind].stored;
    keyboard_.handshake = handshake_->isChecked() ? 1 : 0;
    keyboard_.chainedKeyboardInit = chainedLeds_->isChecked() ? 1 : 0;
}

}  // namespace keyui::dialogs
