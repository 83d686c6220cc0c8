#include "editor/ui/dialogs/keyboard/sound_page.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/ui/dialogs/keyboard/page_controls.h"

namespace keyui::dialogs {

namespace {

constexpr char kVolumeLabel[] = QT_TRANSLATE_NOOP("keyui::dialogs::SoundPage", "Lautstärke:");
constexpr char kDurationLabel[] = QT_TRANSLATE_NOOP("keyui::dialogs::SoundPage", "Dauer:");
constexpr std::array kGroups{
    QT_TRANSLATE_NOOP("keyui::dialogs::SoundPage", " Tastenklick "),
    QT_TRANSLATE_NOOP("keyui::dialogs::SoundPage", " Fehleralarm "),
};
// What a slider's position stands for: a volume in percent, a duration in
// milliseconds.
constexpr char kPercent[] = QT_TRANSLATE_NOOP("keyui::dialogs::SoundPage", "%1 %");
constexpr char kMilliseconds[] = QT_TRANSLATE_NOOP("keyui::dialogs::SoundPage", "%1 ms");
constexpr int kTickInterval = 10;
// A duration slider counts in steps of 20 of the stored duration.
constexpr int kDurationStep = 20;

struct SoundSlider {
    int id;
    std::size_t group;
    const char* label;
    int minimum;
    int maximum;
    int kbxdoc::KeyboardData::*value;
    int step;  // stored value per slider position
    const char* valueFormat;
};
constexpr std::array<SoundSlider, kSoundSliderCount> kSoundSliders{{
    {11014, 0, kVolumeLabel, 0, 100, &kbxdoc::KeyboardData::clickVolume, 1, kPercent},
    {11015, 0, kDurationLabel, 1, 255, &kbxdoc::KeyboardData::clickDuration, kDurationStep, kMilliseconds},
    {11016, 1, kVolumeLabel, 0, 100, &kbxdoc::KeyboardData::alarmVolume, 1, kPercent},
    {11017, 1, kDurationLabel, 1, 255, &kbxdoc::KeyboardData::alarmDuration, kDurationStep, kMilliseconds},
}};

}  // namespace

SoundPage::SoundPage(kbxdoc::KeyboardData& keyboard, QWidget* parent) : SheetPage(parent), keyboard_(keyboard) {
    auto* layout = new QVBoxLayout(this);
    std::array<QFormLayout*, kGroups.size()> groupLayouts{};
    for (std::size_t i = 0; i < kGroups.size(); ++i) {
        auto* group = new QGroupBox(tr(kGroups[i]), this);
        groupLayouts[i] = new QFormLayout(group);
        layout->addWidget(group);
    }
    for (std::size_t i = 0; i < kSoundSliders.size(); ++i) {
        const SoundSlider& row = kSoundSliders[i];
        QFormLayout* groupLayout = groupLayouts[row.group];
        QWidget* group = groupLayout->parentWidget();
        sliders_[i] = makeSlider(row.id, row.minimum, row.maximum, kTickInterval, group);
        const auto valueText = [&row](int position) { return tr(row.valueFormat).arg(position * row.step); };
        groupLayout->addRow(tr(row.label), withValueLabel(sliders_[i], row.id, valueText, group));
    }
    layout->addStretch();
}

void SoundPage::initialise() {
    for (std::size_t i = 0; i < kSoundSliders.size(); ++i)
        sliders_[i]->setValue(keyboard_.*kSoundSliders[i].value / kSoundSliders[i].step);
}

void SoundPage::commit() {
    for (std::size_t i = 0; i < kSoundSliders.size(); ++i)
        keyboard_.*kSoundSliders[i].value = sliders_[i]->value() * kSoundSliders[i].step;
}

}  // namespace keyui::dialogs
