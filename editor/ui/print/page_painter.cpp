#include "editor/ui/print/page_painter.h"

#include <QPainter>
#include <QPen>

#include "editor/ui/legend/legend.h"

namespace keyui::print {
namespace {

// Lends the keyboard the printer's scales and the page's origin and gives
// the view's values back when the page is done.
class PrintScales {
public:
    PrintScales(kbxdoc::KeyboardData& keyboard, const PrinterMetrics& metrics, int originX, int originY)
        : keyboard_(keyboard),
          scaleX_(keyboard.scaleX),
          scaleY_(keyboard.scaleY),
          originX_(keyboard.originX),
          originY_(keyboard.originY) {
        keyboard.scaleX = metrics.pixelsPerMmX;
        keyboard.scaleY = metrics.pixelsPerMmY;
        keyboard.originX = originX;
        keyboard.originY = originY;
    }
    ~PrintScales() {
        keyboard_.scaleX = scaleX_;
        keyboard_.scaleY = scaleY_;
        keyboard_.originX = originX_;
        keyboard_.originY = originY_;
    }
    PrintScales(const PrintScales&) = delete;
    PrintScales& operator=(const PrintScales&) = delete;

private:
    kbxdoc::KeyboardData& keyboard_;
    double scaleX_;
    double scaleY_;
    int originX_;
    int originY_;
};

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
    const PrintScales scales(keyboard, layout.metrics, -toPixels(layout.metrics.pixelsPerMmX, shiftMm), 0);

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
