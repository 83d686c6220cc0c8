#include "editor/ui/dialogs/caption/caption_commands.h"

#include "editor/ui/dialogs/caption/caption_dialog.h"
#include "editor/ui/dialogs/caption/caption_options_dialog.h"
#include "editor/document/key_table.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/core/action_names.h"

namespace keyui::dialogs {

CaptionPrompts& qtCaptionPrompts() {
    static QtCaptionPrompts prompts;
    return prompts;
}

void runCaptionDialog(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                      CaptionPrompts& prompts) {
    if (view.keyboard == nullptr) return;
    const int slot = kbxdoc::countSelection(view).highest;
    if (slot < 0) return;
    CaptionDialog dialog(parent, document, view, prompts, slot);
    dialog.exec();
    document.recordChange(action::named(action::kCaption));
}

void runGlobalCaptionOptions(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                             CaptionPrompts& prompts) {
    if (!CaptionOptionsDialog::opensFor(view, CaptionScope::Global, -1)) return;
    CaptionOptionsDialog dialog(parent, document, view, prompts, CaptionScope::Global);
    dialog.exec();
    document.recordChange(action::named(action::kCaptionOptions));
}

void runGroupCaptionOptions(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                            CaptionPrompts& prompts) {
    if (!CaptionOptionsDialog::opensFor(view, CaptionScope::Group, -1)) return;
    CaptionOptionsDialog dialog(parent, document, view, prompts, CaptionScope::Group);
    dialog.exec();
    document.redrawAll();
    // The keys' settings (and a chosen font, even after Abbruch) may have
    // changed: without the step, closing the layout would drop them unasked.
    document.recordChange(action::named(action::kCaptionOptions));
}

}  // namespace keyui::dialogs
