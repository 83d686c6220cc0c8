#pragma once

// Page "Ton": volume and duration of the key click and of the error beep.

#include <array>

#include "editor/document/keyboard_data.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QSlider;

namespace keyui::dialogs {

inline constexpr int kSoundSliderCount = 4;

class SoundPage : public SheetPage {
    Q_OBJECT
public:
    explicit SoundPage(kbxdoc::KeyboardData& keyboard, QWidget* parent = nullptr);

    void initialise() override;
    void commit() override;

private:
    kbxdoc::KeyboardData& keyboard_;
    std::array<QSlider*, kSoundSliderCount> sliders_{};
};

}  // namespace keyui::dialogs
