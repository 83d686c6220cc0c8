#include "editor/ui/dialogs/keyboard/country_page.h"

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/ui/core/texts.h"
#include "editor/ui/dialogs/keyboard/page_controls.h"
#include "editor/ui/dialogs/sheet/fields.h"

namespace keyui::dialogs {

namespace {

// The country code is each entry's text up to its first blank.
constexpr std::array kCountries{
    QT_TRANSLATE_NOOP("keyui::dialogs::CountryPage", "US - Vereinigte Staaten"),
    QT_TRANSLATE_NOOP("keyui::dialogs::CountryPage", "GR - Deutschland"),
    QT_TRANSLATE_NOOP("keyui::dialogs::CountryPage", "FR - Frankreich (FR189)"),
    QT_TRANSLATE_NOOP("keyui::dialogs::CountryPage", "UK - Großbritannien (UK166)"),
    QT_TRANSLATE_NOOP("keyui::dialogs::CountryPage", "SG - Schweiz (Deutsch)"),
    QT_TRANSLATE_NOOP("keyui::dialogs::CountryPage", "SF - Schweiz (Französisch)"),
    QT_TRANSLATE_NOOP("keyui::dialogs::CountryPage", "IT - Italien (IT142)"),
    QT_TRANSLATE_NOOP("keyui::dialogs::CountryPage", "SP - Spanien"),
};

constexpr int kCountryListId = 11002;
constexpr int kShiftLockId = 11003;
constexpr int kCapsLockId = 11004;
constexpr int kHotkeysId = 11053;

}  // namespace

CountryPage::CountryPage(kbxdoc::KeyboardData& keyboard, QWidget* parent) : SheetPage(parent), keyboard_(keyboard) {
    auto* layout = new QVBoxLayout(this);
    country_ = makeList(kCountryListId, this);
    QStringList entries;
    for (const char* entry : kCountries) entries << tr(entry);
    fillSorted(*country_, entries);
    layout->addWidget(country_);

    auto* locks = new QHBoxLayout;
    shiftLock_ = makeRadio(kShiftLockId, tr("ShiftLock"), this);
    capsLock_ = makeRadio(kCapsLockId, tr("CapsLock"), this);
    locks->addWidget(shiftLock_);
    locks->addWidget(capsLock_);
    locks->addStretch();
    layout->addLayout(locks);

    auto* hotkeyGroup = new QGroupBox(tr("Hotkeys für Online Programmierung"), this);
    auto* hotkeyLayout = new QVBoxLayout(hotkeyGroup);
    hotkeys_ = makeCheck(kHotkeysId,
                         tr("Hotkeys für Online Programmierung aktivieren:\n"
                            "Alt+Druck für Zeichenketten,\n"
                            "Strg+Alt+Druck für Einzeltasten"),
                         hotkeyGroup);
    hotkeyLayout->addWidget(hotkeys_);
    layout->addWidget(hotkeyGroup);
    layout->addStretch();
}

void CountryPage::initialise() {
    selectByStart(*country_, fromAnsi(keyboard_.languageCode.view()));
    (keyboard_.shiftLock != 0 ? shiftLock_ : capsLock_)->setChecked(true);
    hotkeys_->setChecked(keyboard_.hotkeyMode != 0);
}

void CountryPage::commit() {
    keyboard_.languageCode = toAnsi(textUpToBlank(selectedText(*country_)));
    keyboard_.shiftLock = shiftLock_->isChecked() ? 1 : 0;
    keyboard_.capsLock = capsLock_->isChecked() ? 1 : 0;
    keyboard_.hotkeyMode = hotkeys_->isChecked() ? 1 : 0;
}

}  // namespace keyui::dialogs
