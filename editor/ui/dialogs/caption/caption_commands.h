#pragma once

// The document's caption commands: 114 the caption dialog of the selected
// key, 118 the caption options of the keyboard's defaults, 32783 the caption
// options of the selected keys.

#include "editor/document/active_context.h"
#include "editor/ui/dialogs/caption/caption_prompts.h"

class QWidget;

namespace keyui {
class KeyDocument;
}

namespace keyui::dialogs {

// The program's instance of the real file, colour and font dialogs.
CaptionPrompts& qtCaptionPrompts();

// Command 114: the caption dialog for the highest-numbered selected key
// (nothing when none), then the document is marked modified.
void runCaptionDialog(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                      CaptionPrompts& prompts);
// Command 118: the caption options of the keyboard's defaults; then modified.
void runGlobalCaptionOptions(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                             CaptionPrompts& prompts);
// Command 32783: the caption options of the selected keys (nothing unless a
// key is selected); then the view is drawn again and the document marked
// modified.
void runGroupCaptionOptions(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                            CaptionPrompts& prompts);

}  // namespace keyui::dialogs
