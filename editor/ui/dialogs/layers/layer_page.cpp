#include "editor/ui/dialogs/layers/layer_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/ui/core/texts.h"
#include "editor/ui/dialogs/layers/predefined_layer_names.h"
#include "editor/ui/dialogs/sheet/control_names.h"
#include "editor/ui/dialogs/sheet/fields.h"

namespace keyui::dialogs {

namespace {

// A check box of the page: its control id, text and the 2-bit field it shows.
struct FieldBox {
    int id;
    const char* text;
    int field;
};

// The seven activation states, three-state boxes: 0 off, 1 on, 2 any. The
// first three form the group " Ebene ", the others " Erweiterte Ebenen ".
constexpr int kBasicConditionCount = 3;
constexpr std::array<FieldBox, kConditionBoxCount> kConditionBoxes{{
    {11012, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Shift"), kbxdoc::kConditionShift},
    {11013, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Control"), kbxdoc::kConditionControl},
    {11014, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Alt"), kbxdoc::kConditionAlt},
    {11015, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Scroll"), kbxdoc::kConditionScroll},
    {11016, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "NumLock"), kbxdoc::kConditionNumLock},
    {11017, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "CapsLock"), kbxdoc::kConditionCapsLock},
    {11018, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Funktionstasten"), kbxdoc::kConditionLayerKey},
}};

// The layer-wide key attributes, two-state boxes. Keys may override the
// first three; the others a layer fixes when its name is predefined.
constexpr int kOverridableAttributeCount = 3;
constexpr std::array<FieldBox, kAttributeBoxCount> kAttributeBoxes{{
    {11006, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Tastaturklick"), kbxdoc::kFieldKeyClick},
    {11007, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Automatische Tastenwiederholung"),
     kbxdoc::kFieldAutoRepeat},
    {11008, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Geschützte Taste"), kbxdoc::kFieldProtected},
    {11010, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "MakeBreak"), kbxdoc::kFieldMakeBreak},
    {11011, QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "Kein Restore"), kbxdoc::kFieldNoRestore},
}};

// The trigger edge, by the value of bits 14-15.
constexpr int kFirstTriggerId = 13000;
constexpr std::array<const char*, kTriggerCount> kTriggerTexts{
    QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "lösen"),
    QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "drücken+lösen"),
    QT_TRANSLATE_NOOP("keyui::dialogs::LayerPage", "drücken"),
};

constexpr int kNameEditId = 11026;
constexpr int kAttributeGroupId = 11033;

QCheckBox* makeFieldBox(const FieldBox& row, bool threeState, QWidget* parent) {
    auto* box = new QCheckBox(LayerPage::tr(row.text), parent);
    box->setObjectName(controlName("check", row.id));
    box->setTristate(threeState);
    return box;
}

}  // namespace

LayerPage::LayerPage(kbxdoc::LayerDefinition& definition, int index, bool isNewLayer, QWidget* parent)
    : SheetPage(parent), definition_(definition), index_(index), isNewLayer_(isNewLayer) {
    buildControls();
}

void LayerPage::buildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* nameRow = new QHBoxLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(controlName("edit", kNameEditId));
    name_->setMaxLength(static_cast<int>(decltype(kbxdoc::LayerDefinition::name)::kMaxLength));
    auto* nameLabel = new QLabel(tr("Layername:"), this);
    nameLabel->setBuddy(name_);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name_, 1);
    layout->addLayout(nameRow);

    auto* states = new QHBoxLayout;
    auto* basic = new QGroupBox(tr(" Ebene "), this);
    auto* extended = new QGroupBox(tr(" Erweiterte Ebenen "), this);
    auto* basicLayout = new QVBoxLayout(basic);
    auto* extendedLayout = new QVBoxLayout(extended);
    for (std::size_t i = 0; i < kConditionBoxes.size(); ++i) {
        const bool isBasic = i < static_cast<std::size_t>(kBasicConditionCount);
        conditions_[i] = makeFieldBox(kConditionBoxes[i], true, isBasic ? basic : extended);
        (isBasic ? basicLayout : extendedLayout)->addWidget(conditions_[i]);
    }
    basicLayout->addStretch();
    extendedLayout->addStretch();
    states->addWidget(basic);
    states->addWidget(extended);
    layout->addLayout(states);

    auto* attributes = new QGroupBox(tr(" Attribute "), this);
    attributes->setObjectName(controlName("group", kAttributeGroupId));
    auto* attributeLayout = new QGridLayout(attributes);
    for (std::size_t i = 0; i < kAttributeBoxes.size(); ++i) {
        attributes_[i] = makeFieldBox(kAttributeBoxes[i], false, attributes);
        const int position = static_cast<int>(i);
        attributeLayout->addWidget(attributes_[i], position % kOverridableAttributeCount,
                                   position / kOverridableAttributeCount);
    }
    layout->addWidget(attributes);

    auto* trigger = new QGroupBox(tr(" Taste auslösen bei "), this);
    auto* triggerLayout = new QHBoxLayout(trigger);
    triggerGroup_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < kTriggerTexts.size(); ++i) {
        const int value = static_cast<int>(i);
        triggers_[i] = new QRadioButton(tr(kTriggerTexts[i]), trigger);
        triggers_[i]->setObjectName(controlName("radio", kFirstTriggerId + value));
        triggerGroup_->addButton(triggers_[i], value);
        triggerLayout->addWidget(triggers_[i]);
    }
    layout->addWidget(trigger);
    layout->addStretch();
}

void LayerPage::initialise() {
    const QString name = fromAnsi(definition_.name.view());
    name_->setText(name);
    for (std::size_t i = 0; i < kConditionBoxes.size(); ++i)
        showField(*conditions_[i], kbxdoc::fieldValue(definition_.conditions, kConditionBoxes[i].field));
    for (std::size_t i = 0; i < kAttributeBoxes.size(); ++i)
        showField(*attributes_[i], kbxdoc::fieldValue(definition_.defaultAttributes, kAttributeBoxes[i].field));
    const unsigned trigger = kbxdoc::fieldValue(definition_.conditions, kbxdoc::kConditionTrigger);
    if (trigger < triggers_.size()) triggers_[trigger]->setChecked(true);

    // A predefined layer keeps its name, states, make/break, restore and
    // trigger; click, repeat and protection stay open for every layer.
    const bool fixed = isPredefinedLayerName(name);
    name_->setEnabled(!fixed);
    for (QCheckBox* box : conditions_) box->setEnabled(!fixed);
    for (std::size_t i = kOverridableAttributeCount; i < attributes_.size(); ++i) attributes_[i]->setEnabled(!fixed);
    for (QRadioButton* button : triggers_) button->setEnabled(!fixed);
}

void LayerPage::commit() {
    const std::string name = toAnsi(name_->text());
    // The page of the first free definition creates a layer only when named.
    if (isNewLayer_ && name.empty()) return;
    definition_.name = name;
    std::uint32_t conditions = definition_.conditions;
    for (std::size_t i = 0; i < kConditionBoxes.size(); ++i)
        conditions = withField(conditions, kConditionBoxes[i].field, fieldOf(*conditions_[i]));
    // With no trigger chosen (a stored value no button shows) the field stays.
    if (triggerGroup_->checkedId() >= 0)
        conditions = withField(conditions, kbxdoc::kConditionTrigger, static_cast<unsigned>(triggerGroup_->checkedId()));
    definition_.conditions = conditions;
    std::uint32_t attributes = definition_.defaultAttributes;
    for (std::size_t i = 0; i < kAttributeBoxes.size(); ++i)
        attributes = withField(attributes, kAttributeBoxes[i].field, fieldOf(*attributes_[i]));
    definition_.defaultAttributes = attributes;
    if (isNewLayer_ && retitle_) retitle_(fromAnsi(definition_.name.view()));
}

}  // namespace keyui::dialogs
