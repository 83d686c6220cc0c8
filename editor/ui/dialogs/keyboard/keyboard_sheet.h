#pragma once

// The keyboard settings sheet "Keyboard Parameter einstellen" (command
// 32776): the pages Land, Schnittstelle, Ton, Tastenwiederholung and
// Tastenform over one document's keyboard data.

#include <memory>

#include "editor/document/active_context.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QWidget;

namespace keyui::dialogs {

// The sheet over the view's keyboard data (the document's when the view has
// none). OK writes the shown pages back and marks the document modified; a
// changed key shape redraws all of the document's views.
std::unique_ptr<PropertySheet> buildKeyboardSettingsSheet(QWidget* parent, KeyDocument& document,
                                                          const kbxdoc::ActiveContext& view);

void runKeyboardSettingsSheet(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view);

}  // namespace keyui::dialogs
