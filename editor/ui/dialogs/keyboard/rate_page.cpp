#include "editor/ui/dialogs/keyboard/rate_page.h"

#include <array>

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/ui/core/texts.h"
#include "editor/ui/dialogs/keyboard/page_controls.h"
#include "editor/ui/dialogs/keyboard/rate_positions.h"
#include "editor/ui/dialogs/sheet/fields.h"

namespace keyui::dialogs {

namespace {

// The mode is each entry's text before " -".
constexpr std::array kSlowKeyModes{
    QT_TRANSLATE_NOOP("keyui::dialogs::RatePage", "DEFAULT -  Normal"),
    QT_TRANSLATE_NOOP("keyui::dialogs::RatePage", "FAST - Schnell"),
    QT_TRANSLATE_NOOP("keyui::dialogs::RatePage", "MEDIUM - Mittel"),
    QT_TRANSLATE_NOOP("keyui::dialogs::RatePage", "SLOW - Langsam"),
    QT_TRANSLATE_NOOP("keyui::dialogs::RatePage", "VERY SLOW - Sehr langsam"),
};

constexpr int kRateSliderId = 11019;
constexpr int kDelaySliderId = 11020;
constexpr int kSlowKeyListId = 11021;
constexpr int kTickEveryPosition = 1;

}  // namespace

RatePage::RatePage(kbxdoc::KeyboardData& keyboard, QWidget* parent) : SheetPage(parent), keyboard_(keyboard) {
    auto* layout = new QVBoxLayout(this);

    auto* normal = new QGroupBox(tr(" Normale Tasten "), this);
    auto* normalLayout = new QFormLayout(normal);
    rate_ = makeSlider(kRateSliderId, 0, kRatePositionCount - 1, kTickEveryPosition, normal);
    delay_ = makeSlider(kDelaySliderId, kFirstDelayPosition, kLastDelayPosition, kTickEveryPosition, normal);
    // The rate in characters a second and the delay in milliseconds, as
    // they are stored.
    normalLayout->addRow(tr("Tastenfrequenz:"),
                         withValueLabel(rate_, kRateSliderId,
                                        [](int position) { return tr("%1 Zeichen/s").arg(rateOfPosition(position)); },
                                        normal));
    normalLayout->addRow(tr("Verzögerung:"),
                         withValueLabel(delay_, kDelaySliderId,
                                        [](int position) { return tr("%1 ms").arg(delayOfPosition(position)); },
                                        normal));
    layout->addWidget(normal);

    auto* slow = new QGroupBox(tr(" Langsame Tasten "), this);
    auto* slowLayout = new QVBoxLayout(slow);
    slowKeys_ = makeList(kSlowKeyListId, slow);
    QStringList entries;
    for (const char* entry : kSlowKeyModes) entries << tr(entry);
    fillSorted(*slowKeys_, entries);
    slowLayout->addWidget(slowKeys_);
    layout->addWidget(slow);
    layout->addStretch();
}

void RatePage::initialise() {
    selectByStart(*slowKeys_, fromAnsi(keyboard_.slowKeyRate.view()));
    rate_->setValue(ratePosition(keyboard_.rate));
    delay_->setValue(delayPosition(keyboard_.delay));
}

void RatePage::commit() {
    keyboard_.slowKeyRate = toAnsi(slowKeyModeOf(selectedText(*slowKeys_)));
    keyboard_.rate = rateOfPosition(rate_->value());
    keyboard_.delay = delayOfPosition(delay_->value());
}

}  // namespace keyui::dialogs
