#pragma once

// Printing of key-cap templates: the print options dialog, then printing
// or the print preview of the active view's layout, in keyboard-template or
// sorted mode. One painting path serves the printer and the preview.

#include <cstdint>

#include "editor/document/active_context.h"
#include "editor/ui/legend/print_options.h"

class QPrinter;
class QWidget;

namespace keyui::print {

// Commands 57607 (print) and 57609 (print preview): dialog 142 with the
// options and mode of editorState(), stored there on OK; then the printer
// dialog and printing, or the preview. False when the user cancelled.
bool runPrintCommand(QWidget* parent, const kbxdoc::ActiveContext& context, bool preview);
// The same onto the caller's printer; a printer that writes a PDF file the
// caller named needs no printer dialog.
bool runPrintCommand(QWidget* parent, const kbxdoc::ActiveContext& context, bool preview, QPrinter& printer);

// Prints every page, or those of the printer's page range, onto a prepared
// printer (a PDF file in tests) and returns the number of pages printed.
int printPages(QPrinter& printer, const kbxdoc::ActiveContext& context, std::uint8_t options, PrintMode mode);

}  // namespace keyui::print
