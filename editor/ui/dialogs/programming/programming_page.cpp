#include "editor/ui/dialogs/programming/programming_page.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "editor/ui/core/texts.h"
#include "editor/ui/dialogs/programming/capture_target.h"
#include "editor/ui/dialogs/programming/token_list.h"
#include "editor/ui/dialogs/sheet/control_names.h"
#include "editor/ui/dialogs/sheet/fields.h"

namespace keyui::dialogs {

namespace {

// The key-local attributes on bits 0-7 of the attribute word; the first
// three have a third, greyed state: follow the layer.
struct AttributeBox {
    int id;
    const char* text;
    int field;
    bool threeState;
};
constexpr std::array<AttributeBox, 4> kAttributeBoxes{
    AttributeBox{11006, QT_TRANSLATE_NOOP("keyui::dialogs::ProgrammingPage", "Tastaturklick"),
                 kbxdoc::kFieldKeyClick, true},
    AttributeBox{11007, QT_TRANSLATE_NOOP("keyui::dialogs::ProgrammingPage", "Automatische Tastenwiederholung"),
                 kbxdoc::kFieldAutoRepeat, true},
    AttributeBox{11008, QT_TRANSLATE_NOOP("keyui::dialogs::ProgrammingPage", "Geschützte Taste"),
                 kbxdoc::kFieldProtected, true},
    AttributeBox{11009, QT_TRANSLATE_NOOP("keyui::dialogs::ProgrammingPage", "Langsame Ausgabe"),
                 kbxdoc::kFieldSlowOutput, false},
};

// A token list entry is read into a buffer of this size, terminator included.
constexpr qsizetype kTokenEntryBuffer = 80;

QCheckBox* checkBox(int id, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(controlName("check", id));
    return box;
}

}  // namespace

std::string programmingTextOf(const QString& edited) {
    std::string text = toAnsi(edited);
    const std::size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    if (text.size() > kbxdoc::kMaxEditedProgramming) text.resize(kbxdoc::kMaxEditedProgramming);
    return text;
}

ProgrammingPage::ProgrammingPage(kbxdoc::KeyRecord& key, int layer, CaptureTarget& capture, QWidget* parent)
    : SheetPage(parent), key_(key), layer_(layer), capture_(&capture) {
    buildControls();
}

ProgrammingPage::~ProgrammingPage() {
    if (capture_ == nullptr) return;
    if (capture_->target() == this) capture_->disarm();
    capture_->forget(this);
}

void ProgrammingPage::buildControls() {
    auto* layout = new QHBoxLayout(this);

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(new QLabel(tr("Tastenprogrammierung:"), this));
    programming_ = new QLineEdit(this);
    programming_->setObjectName(controlName("edit", kProgrammingEditId));
    textColumn->addWidget(programming_);

    auto* attributeGroup = new QGroupBox(tr(" Tasten-lokale Attribute "), this);
    attributeGroup->setObjectName(controlName("group", kAttributeGroupId));
    auto* attributeColumn = new QVBoxLayout(attributeGroup);
    for (std::size_t i = 0; i < kAttributeBoxes.size(); ++i) {
        const AttributeBox& described = kAttributeBoxes[i];
        attributes_[i] = checkBox(described.id, tr(described.text), attributeGroup);
        attributes_[i]->setTristate(described.threeState);
        attributeColumn->addWidget(attributes_[i]);
    }
    textColumn->addWidget(attributeGroup);

    captureBox_ = checkBox(kCaptureBoxId, tr("Nächste Tasteneingabe als Programmierung übernehmen"), this);
    textColumn->addWidget(captureBox_);

    auto* simulateGroup = new QGroupBox(tr(" Taste simulieren "), this);
    auto* simulateColumn = new QVBoxLayout(simulateGroup);
    simulateColumn->addWidget(new QLabel(tr("Nur einfachen Tastendruck eingeben."), simulateGroup));
    simulateColumn->addWidget(new QLabel(tr("Tastenkombinationen anwählen:"), simulateGroup));
    simulateAlt_ = checkBox(kSimulateAltId, tr("Alt"), simulateGroup);
    simulateControl_ = checkBox(kSimulateControlId, tr("Control"), simulateGroup);
    simulateShift_ = checkBox(kSimulateShiftId, tr("Shift"), simulateGroup);
    simulateColumn->addWidget(simulateAlt_);
    simulateColumn->addWidget(simulateControl_);
    simulateColumn->addWidget(simulateShift_);
    textColumn->addWidget(simulateGroup);
    textColumn->addStretch();
    layout->addLayout(textColumn, 2);

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(tr("Tastenbefehle >>"), this));
    tokens_ = new QListWidget(this);
    tokens_->setObjectName(controlName("list", kTokenListId));
    listColumn->addWidget(tokens_);
    layout->addLayout(listColumn, 1);

    connect(tokens_, &QListWidget::itemDoubleClicked, this, &ProgrammingPage::insertToken);
    connect(captureBox_, &QCheckBox::clicked, this, [this] {
        capture_->toggle();
        // A page that is not the target shows the capture state too.
        captureBox_->setChecked(capture_->isArmed() && capture_->target() == this);
    });
}

void ProgrammingPage::initialise() {
    capture_->setTarget(this);
    const kbxdoc::LayerEntry& entry = key_.layers[static_cast<std::size_t>(layer_)];
    for (std::size_t i = 0; i < kAttributeBoxes.size(); ++i)
        showField(*attributes_[i], kbxdoc::fieldValue(entry.attributes, kAttributeBoxes[i].field));
    programming_->setText(fromAnsi(entry.programming.view()));
    tokens_->clear();
    tokens_->addItems(sortedTokenEntries());
    if (capture_->isArmed())
        showCaptureArmed(true);
    else
        captureBox_->setChecked(false);
}

kbxdoc::LayerEntry ProgrammingPage::editedEntry() const {
    kbxdoc::LayerEntry entry = key_.layers[static_cast<std::size_t>(layer_)];
    for (std::size_t i = 0; i < kAttributeBoxes.size(); ++i)
        entry.attributes = withField(entry.attributes, kAttributeBoxes[i].field, fieldOf(*attributes_[i]));
    entry.programming = programmingTextOf(programming_->text());
    return entry;
}

void ProgrammingPage::commit() {
    key_.layers[static_cast<std::size_t>(layer_)] = editedEntry();
    capture_->disarm();
}

void ProgrammingPage::cancelled() { capture_->disarm(); }

void ProgrammingPage::insertToken(const QListWidgetItem* item) {
    if (item == nullptr) return;
    // QLineEdit::insert replaces the selection (or inserts at the caret) as
    // one step of the edit's undo history.
    programming_->insert(item->text().left(kTokenEntryBuffer - 1));
    programming_->setFocus();
}

void ProgrammingPage::replaceProgramming(const QString& token) { programming_->setText(token); }

capture::SimulatedModifiers ProgrammingPage::simulatedModifiers() const {
    return {simulateShift_->isChecked(), simulateControl_->isChecked(), simulateAlt_->isChecked()};
}

void ProgrammingPage::showCaptureArmed(bool armed) {
    captureBox_->setChecked(armed);
    for (QCheckBox* box : {simulateAlt_, simulateControl_, simulateShift_}) box->setEnabled(armed);
}

}  // namespace keyui::dialogs
