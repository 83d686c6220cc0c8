#pragma once

// The layer sheet "Layer definieren" (command 117): one page per named layer
// definition and one "Neuer Layer" page for the first free one. OK writes the
// shown pages into the layer table and saves all 16 definitions to the
// settings file.

#include <filesystem>
#include <functional>
#include <memory>

#include <QString>

#include "editor/document/active_context.h"
#include "editor/document/keyboard_data.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

class QWidget;

namespace keyui::dialogs {

// Tells the user about a failure; the editor shows a message box, tests
// record the text.
using FailureNotifier = std::function<void(QWidget* parent, const QString& message)>;
FailureNotifier messageBoxNotifier();

// The sheet over `layers`. When it is closed with OK the table is saved to
// `settingsFile`; a failed save keeps the table in memory as edited and
// tells the user through `notify`.
std::unique_ptr<PropertySheet> buildLayerSheet(QWidget* parent, kbxdoc::LayerTable& layers,
                                               std::filesystem::path settingsFile, FailureNotifier notify);

// Command 117 over the view's layer table (the application's), saved to the
// editor's settings file; afterwards the document is marked modified, and
// after OK it is told that the layer list changed.
void runLayerSheet(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view);

}  // namespace keyui::dialogs
