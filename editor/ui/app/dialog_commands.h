#pragma once

// The document commands that open the editor's dialogs and its link to the
// keyboard: one table from command id to the dialog it runs on the active
// view's document and context.

#include <span>

#include "editor/document/active_context.h"

class QWidget;

namespace keyui {
class KeyDocument;
}

namespace keyui::app {

struct DialogCommand {
    int command;
    void (*run)(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view);
    bool needsSelectedKey = false;  // works on the selected key: without one the status bar says why nothing opens
};

// Every dialog command, enabled while a layout is open (the group caption
// only while more than one key is selected).
std::span<const DialogCommand> dialogCommands();

}  // namespace keyui::app
