#include "editor/ui/print/print_dialog.h"

#include <array>

#include <QButtonGroup>
#include <QCoreApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/ui/core/editor_state.h"

namespace keyui::print {
namespace {

// One check box of the dialog and the option bit it stands for; an inverted
// box is ticked while its bit is clear.
struct OptionControl {
    int id;
    const char* text;
    PrintOption option;
    bool inverted;
};

constexpr std::array kOptionControls{
    OptionControl{11051, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Tasten-Einfassung"),
                  kPrintKeyBorder, false},
    OptionControl{11050, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Schnittlinien"), kPrintCutLines,
                  false},
    OptionControl{11052, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Tastenumfeld"), kPrintKeySurround,
                  false},
    OptionControl{11053, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "unbenutzte Tasten"),
                  kPrintUnusedKeys, false},
    OptionControl{11055, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Hintergrundfarbe drucken"),
                  kPrintNoBackground, true},
    OptionControl{11054, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Schnittabstand einhalten"),
                  kPrintCuttingDistance, false},
    OptionControl{11056, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "nur ausgewählte Tasten"),
                  kPrintSelectedOnly, false},
    OptionControl{11057, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "auf Seitengröße skalieren"),
                  kPrintScaleToPage, false},
};

struct ModeControl {
    int id;
    const char* text;
    PrintMode mode;
};

constexpr std::array kModeControls{
    ModeControl{kTemplateRadioId, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Tastatur-Schablone"),
                PrintMode::KeyboardTemplate},
    ModeControl{kSortedRadioId, QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Sortiert nach Tastengröße"),
                PrintMode::SortedBySize},
};

constexpr char kTitle[] = QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Drucken");
constexpr char kOkText[] = QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "OK");
constexpr char kCancelText[] = QT_TRANSLATE_NOOP("keyui::print::PrintOptionsDialog", "Abbruch");

}  // namespace

QString controlName(int id) { return QStringLiteral("control%1").arg(id); }

PrintOptionsDialog::PrintOptionsDialog(std::uint8_t options, PrintMode mode, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dialog142"));
    setWindowTitle(tr(kTitle));
    auto* layout = new QVBoxLayout(this);

    for (const OptionControl& control : kOptionControls) {
        auto* box = new QCheckBox(tr(control.text), this);
        box->setObjectName(controlName(control.id));
        layout->addWidget(box);
    }

    auto* modes = new QButtonGroup(this);
    for (const ModeControl& control : kModeControls) {
        auto* radio = new QRadioButton(tr(control.text), this);
        radio->setObjectName(controlName(control.id));
        modes->addButton(radio);
        layout->addWidget(radio);
    }

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(tr(kOkText), this);
    ok->setObjectName(controlName(kOkButtonId));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr(kCancelText), this);
    cancel->setObjectName(controlName(kCancelButtonId));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    showOptions(options, mode);
}

void PrintOptionsDialog::showOptions(std::uint8_t options, PrintMode mode) {
    for (const OptionControl& control : kOptionControls) {
        const bool set = (options & control.option) != 0;
        findChild<QCheckBox*>(controlName(control.id))->setChecked(set != control.inverted);
    }
    for (const ModeControl& control : kModeControls) {
        findChild<QRadioButton*>(controlName(control.id))->setChecked(control.mode == mode);
    }
}

std::uint8_t PrintOptionsDialog::options() const {
    std::uint8_t options = 0;
    for (const OptionControl& control : kOptionControls) {
        const bool ticked = findChild<QCheckBox*>(controlName(control.id))->isChecked();
        if (ticked != control.inverted) options = static_cast<std::uint8_t>(options | control.option);
    }
    return options;
}

PrintMode PrintOptionsDialog::mode() const {
    for (const ModeControl& control : kModeControls) {
        if (findChild<QRadioButton*>(controlName(control.id))->isChecked()) return control.mode;
    }
    return PrintMode::KeyboardTemplate;
}

bool askPrintOptions(QWidget* parent) {
    EditorState& state = editorState();
    PrintOptionsDialog dialog(state.printOptions, static_cast<PrintMode>(state.printMode), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    state.printOptions = dialog.options();
    state.printMode = static_cast<int>(dialog.mode());
    return true;
}

}  // namespace keyui::print
