#pragma once

// The one painting of a printed page, for the printer, the print preview and
// images alike: the keys the layout pass put on the page, drawn by the
// legend drawing at the printer's scale, and the template's cut lines.

#include "editor/document/active_context.h"
#include "editor/ui/print/print_layout.h"

class QPainter;

namespace keyui::print {

// Paints page `page` (from 1) of the layout. For the time of the painting
// the context's keyboard takes the layout's pixels per mm as its scales and
// the page offset as its origin; both are given back afterwards.
void paintPage(QPainter& painter, const kbxdoc::ActiveContext& context, const PrintLayout& layout, int page);

}  // namespace keyui::print
