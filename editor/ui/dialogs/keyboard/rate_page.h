#pragma once

// Page "Tastenwiederholung": repeat rate and delay of ordinary keys and the
// slow-key mode.

#include "editor/document/keyboard_data.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QComboBox;
class QSlider;

namespace keyui::dialogs {

class RatePage : public SheetPage {
    Q_OBJECT
public:
    explicit RatePage(kbxdoc::KeyboardData& keyboard, QWidget* parent = nullptr);

    void initialise() override;
    void commit() override;

private:
    kbxdoc::KeyboardData& keyboard_;
    QSlider* rate_ = nullptr;
    QSlider* delay_ = nullptr;
    QComboBox* slowKeys_ = nullptr;
};

}  // namespace keyui::dialogs
