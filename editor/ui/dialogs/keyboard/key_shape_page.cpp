#include "editor/ui/dialogs/keyboard/key_shape_page.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/document/key_table.h"
#include "editor/ui/dialogs/keyboard/page_controls.h"

namespace keyui::dialogs {

namespace {

struct KeyShape {
    int id;
    const char* text;
    double size;  // width and height of a 1x1 cap, mm
};
constexpr std::array<KeyShape, kKeyShapeCount> kKeyShapes{{
    {11038, QT_TRANSLATE_NOOP("keyui::dialogs::KeyShapePage", "12mm Beschriftungszone"), 12.0},
    {11039, QT_TRANSLATE_NOOP("keyui::dialogs::KeyShapePage", "13mm Beschriftungszone"), 13.0},
}};

constexpr char kResizeWarning[] = QT_TRANSLATE_NOOP("keyui::dialogs::KeyShapePage",
                                                    "Achtung: Eine Änderung setzt alle Tasten\n"
                                                    "auf die gewählte Größe (1x1)!");

}  // namespace

KeyShapePage::KeyShapePage(const kbxdoc::ActiveContext& context, QWidget* parent)
    : SheetPage(parent), context_(context) {
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < kKeyShapes.size(); ++i) {
        shapes_[i] = makeRadio(kKeyShapes[i].id, tr(kKeyShapes[i].text), this);
        layout->addWidget(shapes_[i]);
    }
    layout->addWidget(new QLabel(tr(kResizeWarning), this));
    layout->addStretch();
}

void KeyShapePage::initialise() {
    if (context_.keyboard == nullptr) return;
    // A keyboard whose 1x1 cap is neither size (the 19 mm caps of the
    // grid-only model) shows no choice, so that OK without a choice leaves
    // its cap size alone instead of shrinking it to 13 mm.
    for (std::size_t i = 0; i < kKeyShapes.size(); ++i)
        if (context_.keyboard->capWidth == kKeyShapes[i].size) shapes_[i]->setChecked(true);
}

void KeyShapePage::commit() {
    if (context_.keyboard == nullptr) return;
    for (std::size_t i = 0; i < kKeyShapes.size(); ++i) {
        if (!shapes_[i]->isChecked()) continue;
        const double size = kKeyShapes[i].size;
        if (size != context_.keyboard->capWidth || size != context_.keyboard->capHeight)
            kbxdoc::setKeyShape(context_, size, size);
    }
}

}  // namespace keyui::dialogs
