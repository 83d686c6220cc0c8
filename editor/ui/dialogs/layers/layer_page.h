#pragma once

// One page of the layer sheet: the name, the activation states, the trigger
// edge and the layer-wide key attributes of one layer definition.

#include <array>
#include <functional>

#include <QString>

#include "editor/document/keyboard_data.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace keyui::dialogs {

inline constexpr int kConditionBoxCount = 7;
inline constexpr int kAttributeBoxCount = 5;
inline constexpr int kTriggerCount = 3;

class LayerPage : public SheetPage {
    Q_OBJECT
public:
    // `isNewLayer`: the page of the first free definition, titled "Neuer
    // Layer"; it creates the layer only when it is given a name.
    LayerPage(kbxdoc::LayerDefinition& definition, int index, bool isNewLayer, QWidget* parent = nullptr);

    void initialise() override;
    void commit() override;

    int layerIndex() const { return index_; }
    bool isNewLayer() const { return isNewLayer_; }
    // Called on OK with the new layer's name, so the sheet retitles the page.
    void setRetitle(std::function<void(const QString&)> retitle) { retitle_ = std::move(retitle); }

private:
    void buildControls();

    kbxdoc::LayerDefinition& definition_;
    int index_;
    bool isNewLayer_;
    std::function<void(const QString&)> retitle_;
    QLineEdit* name_ = nullptr;
    std::array<QCheckBox*, kConditionBoxCount> conditions_{};
    std::array<QCheckBox*, kAttributeBoxCount> attributes_{};
    std::array<QRadioButton*, kTriggerCount> triggers_{};
    QButtonGroup* triggerGroup_ = nullptr;
};

}  // namespace keyui::dialogs
