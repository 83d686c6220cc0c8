#pragma once

// One cap from its draw record: frame, bevel, face, highlight, the empty-key
// marker or the outline, and the legend. Rectangles follow the Windows
// pixel rules: a fill of (x, y, w, h) covers exactly w x h pixels, a frame
// is the one-pixel border inside that rectangle.

#include <cstdint>

#include <QColor>
#include <QRect>

#include "editor/ui/legend/legend.h"

namespace keyui::legend {

struct CapStyle {
    bool printing = false;
    std::uint8_t printOptions = 0;  // print_options.h, when printing
    bool tintProgrammed = false;    // layer-data display of the view
};

// `keyboard` gives the 1x1 cap size for the empty key's switch dot. The
// painter's font is the legend font.
void drawCap(QPainter& painter, const DrawRecord& record, const kbxdoc::KeyboardData& keyboard,
             const CapStyle& style);

// The one-pixel border inside `rect`.
void frameRect(QPainter& painter, const QRect& rect, const QColor& colour);

}  // namespace keyui::legend
