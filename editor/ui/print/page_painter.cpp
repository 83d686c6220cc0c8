#include "editor/ui/print/page_painter.h"

#include <QPainter>
#include <QPen>

#include "editor/document/key_geometry.h"
#include "editor/ui/legend/legend.h"

namespace keyui::print {
namespace {

// A key's own place on the page: its left and top offsets are negative.
constexpr double kOwnPlace = -1.0;

int toPixels(double scale, double mm) { return static_cast<int>(scale * mm); }

void drawCutLines(QPainter& painter, const kbxdoc::KeyboardData& keyboard, const CutRectangle& cut) {
    const int left = keyboard.originX + toPixels(keyboard.scaleX, cut.left);
    const int top = keyboard.originY + toPixels(keyboard.scaleY, cut.top);
    const int right = keyboard.originX + toPixels(keyboard.scaleX, cut.right);
    const int bottom = keyboard.originY + toPixels(keyboard.scaleY, cut.bottom);
    painter.save();
    QPen pen(Qt::black);
    pen.setWidth(1);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The frame covers the pixels from left and top up to one before right
    // and bottom, like the keys it surrounds; a 1-pixel outline of
    // drawRect(x, y, w, h) covers x to x + w.
    painter.drawRect(left, top, right - left - 1, bottom - top - 1);
    painter.restore();
}

}  // namespace

void paintPage(QPainter& painter, const kbxdoc::ActiveContext& context, const PrintLayout& layout, int page) {
    if (context.keyboard == nullptr || page < 1 || page > layout.lastPage) return;
    kbxdoc::KeyboardData& keyboard = *context.keyboard;
    if (keyboard.width == 0) return;

    const bool keyboardTemplate = layout.mode == PrintMode::KeyboardTemplate;
    const double shiftMm = keyboardTemplate ? (page - 1) * layout.pass.pageShiftMm : 0.0;
    // The printer's scales and the page's origin while the page is drawn.
    const kbxdoc::ScopedDrawingScale scales(&keyboard, layout.metrics.pixelsPerMmX, layout.metrics.pixelsPerMmY,
                                            -toPixels(layout.metrics.pixelsPerMmX, shiftMm), 0);

    painter.save();
    const kbxdoc::CaptionSettings& defaults = keyboard.captionDefaults;
    painter.setFont(legend::legendFont(defaults.font, toPixels(keyboard.scaleY, defaults.fontHeight)));
    painter.setPen(legend::toQColor(defaults.textColour));
    painter.setBackgroundMode(Qt::TransparentMode);

    for (const PlacedKey& key : layout.pass.keys) {
        if (key.page != page) continue;
        if (keyboardTemplate) {
            legend::drawKeyForPrint(painter, context, key.slot, layout.options, kOwnPlace, kOwnPlace);
        } else {
            legend::drawKeyForPrint(painter, context, key.slot, layout.options, key.leftMm, key.topMm);
        }
    }
    if (keyboardTemplate && layout.pass.cutLines) drawCutLines(painter, keyboard, *layout.pass.cutLines);
    painter.restore();
}

}  // namespace keyui::print
