#include "editor/ui/dialogs/programming/programming_sheet.h"

#include <cstdio>

#include <QMessageBox>

#include "editor/ui/dialogs/programming/programming_page.h"
#include "editor/document/key_table.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/programming_check.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/texts.h"
#include "editor/ui/core/action_names.h"

namespace keyui::dialogs {

namespace {

constexpr char kProgrammedMark[] = "*";

// The view's context with the document's data and the application's layer
// table wherever the view leaves them out.
kbxdoc::ActiveContext contextOn(KeyDocument& document, const kbxdoc::ActiveContext& view) {
    kbxdoc::ActiveContext context = view;
    if (context.keyboard == nullptr) context.keyboard = &document.keyboard();
    if (context.layers == nullptr) context.layers = &editorState().layers;
    if (context.observer == nullptr) context.observer = &document;
    return context;
}

}  // namespace

QString programmingSheetCaption(const kbxdoc::KeyRecord& key, int slot) {
    const std::string_view pseudoName = kbxdoc::persist::pseudoKeyName(slot);
    if (!pseudoName.empty()) return QStringLiteral("[%1]").arg(fromAnsi(pseudoName));
    char identifier[16];
    std::snprintf(identifier, sizeof identifier, "[%c%02d]", 'A' + key.row, key.column + 1);
    return QString::fromLatin1(identifier);
}

QString programmingPageTitle(const kbxdoc::KeyRecord& key, const kbxdoc::LayerTable& layers, int layer) {
    QString title = fromAnsi(kbxdoc::layerName(layers, layer));
    if (kbxdoc::hasProgramming(key, layer)) title += QLatin1String(kProgrammedMark);
    return title;
}

ProgrammingSheet::ProgrammingSheet(const kbxdoc::ActiveContext& view, const QString& caption, QWidget* parent)
    : PropertySheet(caption, parent), view_(view) {}

ProgrammingPage* ProgrammingSheet::programmingPage(int index) const {
    return static_cast<ProgrammingPage*>(page(index));
}

bool ProgrammingSheet::refusesAProgramming() {
    if (view_.keyboard == nullptr || view_.layers == nullptr) return false;
    for (int index = 0; index < pageCount(); ++index) {
        const ProgrammingPage* edited = programmingPage(index);
        if (!edited->isInitialised()) continue;
        const kbxdoc::LayerEntry entry = edited->editedEntry();
        const auto problem =
            kbxdoc::persist::programmingProblem(*view_.keyboard, (*view_.layers)[static_cast<std::size_t>(edited->layer())],
                                                entry.attributes, entry.programming.view());
        if (!problem) continue;
        setActivePage(index);
        QMessageBox::warning(this, windowTitle(),
                             *problem == kbxdoc::persist::ProgrammingProblem::tooLong
                                 ? tr("Diese Programmierung ergibt mehr Bytes, als eine Taste der Tastatur "
                                      "aufnehmen kann. Bitte kürzen.")
                                 : tr("Diese Programmierung enthält einen Namen in geschweiften Klammern oder "
                                      "eine Folge mit Backslash, die der Compiler nicht kennt."));
        return true;
    }
    return false;
}

void ProgrammingSheet::accept() {
    if (refusesAProgramming()) return;
    capture_.disarm();
    PropertySheet::accept();
    const kbxdoc::SelectionCount selected = kbxdoc::countSelection(view_);
    if (selected.count == 1 && view_.keyboard != nullptr)
        view_.keyboard->keys[kbxdoc::kCurrentKeySlot] =
            view_.keyboard->keys[static_cast<std::size_t>(selected.highest)];
}

void ProgrammingSheet::reject() {
    capture_.disarm();
    PropertySheet::reject();
}

std::unique_ptr<ProgrammingSheet> buildProgrammingSheet(QWidget* parent, KeyDocument& document,
                                                        const kbxdoc::ActiveContext& view, int slot) {
    const kbxdoc::ActiveContext context = contextOn(document, view);
    kbxdoc::KeyRecord* key = kbxdoc::keyBySlot(context, slot);
    if (key == nullptr) return nullptr;
    auto sheet = std::make_unique<ProgrammingSheet>(context, programmingSheetCaption(*key, slot), parent);
    for (int layer = 0; layer < kbxdoc::kLayerCount; ++layer) {
        if (kbxdoc::layerName(*context.layers, layer).empty()) continue;
        sheet->addPage(new ProgrammingPage(*key, layer, sheet->capture()),
                       programmingPageTitle(*key, *context.layers, layer));
    }
    if (sheet->pageCount() == 0) return nullptr;
    sheet->setActivePage(0);
    return sheet;
}

void runKeyProgramming(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view) {
    const kbxdoc::ActiveContext context = contextOn(document, view);
    const kbxdoc::SelectionCount selected = kbxdoc::countSelection(context);
    if (selected.highest < 0) return;
    std::unique_ptr<ProgrammingSheet> sheet = buildProgrammingSheet(parent, document, context, selected.highest);
    if (!sheet) return;
    // Positions count only the pages added; the first page when the view's
    // layer number has no page.
    sheet->setActivePage(context.currentLayer < sheet->pageCount() ? context.currentLayer : 0);
    sheet->exec();
    sheet.reset();
    if (selected.count == 1) document.redrawKey(selected.highest);
    document.recordChange(action::named(action::kKeyProgramming));
}

bool runSlotProgramming(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view, int slot) {
    std::unique_ptr<ProgrammingSheet> sheet = buildProgrammingSheet(parent, document, view, slot);
    if (!sheet) return false;
    return sheet->exec() == QDialog::Accepted;
}

}  // namespace keyui::dialogs
