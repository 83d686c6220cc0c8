#include <QPainter>

#include "editor/ui/legend/cap_drawing.h"
#include "editor/ui/legend/legend.h"
#include "editor/ui/legend/print_options.h"

namespace keyui::legend {

namespace {

constexpr int kLastDrawnSlot = kbxdoc::kLastModuleSlot;
constexpr int kSelectionMarkDepth = 4;
// A printed key counts as programmed, so only its caption decides whether
// it is an empty key.
constexpr std::string_view kPrintedProgramming = "printed";

int truncated(double value) { return static_cast<int>(value); }

// The key's own legend font when its font has a face name; else the
// painter keeps the keyboard's font.
void selectKeyFont(QPainter& painter, const DrawRecord& record) {
    if (record.font == nullptr || record.font->faceName.empty()) return;
    kbxdoc::LogicalFont font = *record.font;
    font.height = truncated(record.fontHeight * record.scaleY);
    painter.setFont(legendFont(font, font.height));
}

void drawCapOf(QPainter& painter, const kbxdoc::KeyboardData& keyboard, const DrawRecord& record,
               const CapStyle& style) {
    painter.save();
    selectKeyFont(painter, record);
    drawCap(painter, record, keyboard, style);
    painter.restore();
}

QFont keyboardFont(const kbxdoc::KeyboardData& keyboard) {
    const kbxdoc::CaptionSettings& defaults = keyboard.captionDefaults;
    return legendFont(defaults.font, truncated(defaults.fontHeight * keyboard.scaleY));
}

// A key on a painter that has the keyboard's legend font already.
void drawKeyInKeyboardFont(QPainter& painter, const kbxdoc::ActiveContext& context, int slot) {
    CapStyle style;
    style.tintProgrammed = context.showLayerData;
    drawCapOf(painter, *context.keyboard, drawRecordFor(context, slot), style);
}

}  // namespace

void drawKeyboard(QPainter& painter, const kbxdoc::ActiveContext& context) {
    if (context.keyboard == nullptr) return;
    const kbxdoc::KeyboardData& keyboard = *context.keyboard;
    if (keyboard.width == 0) return;
    const kbxdoc::CaptionSettings& defaults = keyboard.captionDefaults;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(keyboardFont(keyboard));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBackground(Qt::white);
    painter.setPen(toQColor(defaults.textColour));
    painter.fillRect(QRect(keyboard.originX, keyboard.originY, truncated(keyboard.scaleX * keyboard.width) + 1,
                           truncated(keyboard.scaleY * keyboard.height) + 1),
                     toQColor(kKeyboardBackground));
    for (int slot = kLastDrawnSlot; slot >= 0; --slot) {
        if (keyboard.keys[static_cast<std::size_t>(slot)].current.width == 0) continue;
        drawKeyInKeyboardFont(painter, context, slot);
    }
    if (context.selection != nullptr) {
        for (int slot = kLastDrawnSlot; slot >= 0; --slot) {
            if ((*context.selection)[static_cast<std::size_t>(slot)] != 0)
                drawSelectionMark(painter, kbxdoc::keyPixelRect(context, slot));
        }
    }
    painter.restore();
}

void drawKey(QPainter& painter, const kbxdoc::ActiveContext& context, int slot) {
    if (context.keyboard == nullptr) return;
    // The keyboard's legend font, as drawKeyboard selects it, so that a key
    // drawn on its own (the view's resize feedback) looks the same.
    painter.save();
    painter.setFont(keyboardFont(*context.keyboard));
    drawKeyInKeyboardFont(painter, context, slot);
    painter.restore();
}

void drawSelectionMark(QPainter& painter, const kbxdoc::PixelRect& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen dots(Qt::black);
    dots.setCosmetic(true);
    dots.setWidth(0);
    dots.setDashPattern({1, 1});
    painter.setBrush(Qt::NoBrush);
    for (int inset = 0; inset < kSelectionMarkDepth; ++inset) {
        const QRect ring(rect.x + inset, rect.y + inset, rect.width - 2 * inset, rect.height - 2 * inset);
        if (ring.width() <= 0 || ring.height() <= 0) break;
        // White under black dots: visible on dark frames and light faces.
        frameRect(painter, ring, Qt::white);
        painter.setPen(dots);
        painter.drawRect(ring.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

void drawKeyForPrint(QPainter& painter, const kbxdoc::ActiveContext& context, int slot, std::uint8_t printOptions,
                     double leftMm, double topMm) {
    if (context.keyboard == nullptr || slot < 0 || slot >= kbxdoc::kKeySlotCount) return;
    const kbxdoc::KeyboardData& keyboard = *context.keyboard;
    DrawRecord record = drawRecordFor(context, slot);
    record.programming = kPrintedProgramming;
    record.empty = record.caption.empty();
    if (leftMm >= 0) record.x = keyboard.originX + truncated(keyboard.scaleX * leftMm);
    if (topMm >= 0) record.y = keyboard.originY + truncated(keyboard.scaleY * topMm);
    if ((printOptions & kPrintKeySurround) == 0) {
        record.surroundX = 0;
        record.surroundY = 0;
    }
    CapStyle style;
    style.printing = true;
    style.printOptions = printOptions;
    drawCapOf(painter, keyboard, record, style);
}

}  // namespace keyui::legend
