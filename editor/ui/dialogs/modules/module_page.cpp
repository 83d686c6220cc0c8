#include "editor/ui/dialogs/modules/module_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/ui/dialogs/sheet/control_names.h"
#include "editor/ui/dialogs/sheet/fields.h"
#include "editor/ui/core/texts.h"
#include "editor/ui/core/action_names.h"

namespace keyui::dialogs {

namespace {

constexpr char kHeaderText[] = QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Vorspann");
constexpr char kTrailerText[] = QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Abspann");
constexpr char kBadReadLabel[] = QT_TRANSLATE_NOOP("keyui::dialogs::ModulePage", "Bad Read String:");

// The bad-read text as the model keeps it: Windows-1252, ending at the
// first NUL, cut to the document's field.
std::string badReadTextOf(const QString& edited) {
    std::string text = toAnsi(edited);
    const std::size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    return text;
}

}  // namespace

ModulePage::ModulePage(ModulePageKind kind, KeyDocument& document, ProgrammingOpener openProgramming,
                       QWidget* parent)
    : SheetPage(parent), kind_(kind), document_(document), openProgramming_(std::move(openProgramming)) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (const ModuleSwitch& described : moduleSwitches()) {
        if (described.page != kind_) continue;
        auto* box = new QCheckBox(tr(described.text), this);
        box->setObjectName(controlName("check", described.id));
        switches_.push_back({&described, box});
        if (described.trackRow >= 0)
            grid->addWidget(box, described.trackRow, 0);
        else
            layout->addWidget(box);
    }
    if (kind_ == ModulePageKind::KvkReader) {
        kvkFormats_ = new QButtonGroup(this);
        int index = 0;
        for (const KvkFormatButton& format : kvkFormatButtons()) {
            auto* radio = new QRadioButton(tr(format.text), this);
            radio->setObjectName(controlName("radio", format.id));
            kvkFormats_->addButton(radio, index++);
            layout->addWidget(radio);
        }
    }
    addProgrammingButtons(*grid);
    layout->addLayout(grid);
    if (kind_ == ModulePageKind::Msr) {
        layout->addWidget(new QLabel(tr(kBadReadLabel), this));
        badRead_ = new QLineEdit(this);
        badRead_->setObjectName(controlName("edit", kBadReadEditId));
        badRead_->setMaxLength(static_cast<int>(decltype(kbxdoc::KeyboardData::msrBadRead)::kMaxLength));
        layout->addWidget(badRead_);
    }
    layout->addStretch();
}

void ModulePage::addProgrammingButtons(QGridLayout& grid) {
    int row = 0;
    for (const ProgrammingRow& described : programmingRows()) {
        if (described.page != kind_) continue;
        if (described.label != nullptr) grid.addWidget(new QLabel(tr(described.label), this), row, 0);
        const std::pair<int, int> buttons[] = {{described.headerId, described.headerSlot}, {described.trailerId, described.trailerSlot}};
        int column = 1;
        for (const auto& [id, slot] : buttons) {
            auto* button = new QPushButton(tr(column == 1 ? kHeaderText : kTrailerText), this);
            button->setObjectName(controlName("button", id));
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, pseudoSlot = slot] { openProgramming(pseudoSlot); });
            grid.addWidget(button, row, column++);
        }
        ++row;
    }
}

void ModulePage::openProgramming(int slot) {
    if (openProgramming_ && openProgramming_(slot)) document_.recordChange(action::named(action::kKeyProgramming));
}

void ModulePage::initialise() {
    kbxdoc::KeyboardData& keyboard = document_.keyboard();
    for (const SwitchBox& each : switches_) each.box->setChecked(each.described->byte(keyboard) != 0);
    if (kvkFormats_ != nullptr) {
        const auto format = static_cast<int>(
            kbxdoc::fieldValue(keyboard.keys[kKvkSettingsSlot].moduleOption1, kKvkFormatField));
        // A format without a button (3) selects the first one.
        QAbstractButton* button = kvkFormats_->button(format);
        (button != nullptr ? button : kvkFormats_->button(0))->setChecked(true);
    }
    if (badRead_ != nullptr) badRead_->setText(fromAnsi(keyboard.msrBadRead.view()));
}

void ModulePage::commit() {
    kbxdoc::KeyboardData& keyboard = document_.keyboard();
    for (const SwitchBox& each : switches_) each.described->byte(keyboard) = each.box->isChecked() ? 1 : 0;
    if (kvkFormats_ != nullptr && kvkFormats_->checkedId() >= 0) {
        std::uint8_t& option = keyboard.keys[kKvkSettingsSlot].moduleOption1;
        option = static_cast<std::uint8_t>(
            withField(option, kKvkFormatField, static_cast<unsigned>(kvkFormats_->checkedId())));
    }
    if (badRead_ != nullptr) keyboard.msrBadRead = badReadTextOf(badRead_->text());
}

}  // namespace keyui::dialogs
