#include "editor/ui/legend/cap_drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include "editor/ui/legend/legend_layout.h"
#include "editor/ui/legend/print_options.h"

namespace keyui::legend {

namespace {

constexpr double kFrameExtra = 1.5;  // pixels of frame beyond the surround
constexpr double kBevelShare = 0.7;  // of the frame width
constexpr int kHighlightDivisor = 3;

int truncated(double value) { return static_cast<int>(value); }

bool has(std::uint8_t options, PrintOption option) { return (options & option) != 0; }

QRect grown(int x, int y, int w, int h, int dx, int dy) { return QRect(x - dx, y - dy, w + 2 * dx, h + 2 * dy); }

// A rectangle outline of 1-pixel dots on exactly the pixels a frame of
// `rect` covers.
void dottedOutline(QPainter& painter, const QRect& rect, const QColor& colour) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidth(0);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void drawSwitchDot(QPainter& painter, int x, int y, const DrawRecord& record,
                   const kbxdoc::KeyboardData& keyboard) {
    const int u = truncated(keyboard.capWidth * record.scaleX);
    const int v = truncated(keyboard.capHeight * record.scaleY);
    const int diameter = v / 2;
    if (diameter <= 0) return;
    QPen pen(toQColor(kEmptyKeyDotOutline));
    pen.setCosmetic(true);
    pen.setWidth(0);
    painter.setPen(pen);
    painter.setBrush(toQColor(kEmptyKeyDotFill));
    // The ellipse's bounding box covers diameter x diameter pixels.
    painter.drawEllipse(QRect(x + u / 4, y + v / 4, diameter - 1, diameter - 1));
    painter.setBrush(Qt::NoBrush);
}

void drawLegend(QPainter& painter, const DrawRecord& record) {
    const QFontMetrics metrics = painter.fontMetrics();
    const LegendPlacement placement =
        placeLegend(record, [&metrics](const QString& run) { return metrics.horizontalAdvance(run); });
    painter.setPen(toQColor(record.textColour));
    for (const PlacedRun& run : placement.runs)
        painter.drawText(QPoint(run.topLeft.x(), run.topLeft.y() + metrics.ascent()), run.text);
    if (placement.picture && !placement.picture->target.isEmpty()) {
        const QImage picture = legendPicture(placement.picture->path);
        if (!picture.isNull()) painter.drawImage(placement.picture->target, picture);
    }
}

}  // namespace

void frameRect(QPainter& painter, const QRect& rect, const QColor& colour) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.fillRect(QRect(rect.x(), rect.y(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.x(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.x(), rect.y(), 1, rect.height()), colour);
    painter.fillRect(QRect(rect.right(), rect.y(), 1, rect.height()), colour);
}

void drawCap(QPainter& painter, const DrawRecord& record, const kbxdoc::KeyboardData& keyboard,
             const CapStyle& style) {
    const int w = truncated(record.width * record.scaleX);
    const int h = truncated(record.height * record.scaleY);
    if (w <= 0 || h <= 0) return;
    if (style.printing && record.empty && !has(style.printOptions, kPrintUnusedKeys)) return;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int x = record.x;
    const int y = record.y;
    const QRect face(x, y, w, h);
    const QColor capColour = toQColor(record.empty ? kEmptyKeyCap : record.keyColour);

    const double l = record.scaleX * record.surroundX + kFrameExtra;
    const double m = record.scaleY * record.surroundY + kFrameExtra;
    const int o = truncated(kBevelShare * l);
    const int r = truncated(kBevelShare * m);
    const bool border = !style.printing || has(style.printOptions, kPrintKeyBorder);
    if (border) {
        painter.fillRect(grown(x, y, w, h, truncated(l), truncated(m)), toQColor(kOuterFrame));
        painter.fillRect(grown(x, y, w, h, o, r), toQColor(kBevel));
    }
    const bool fillFace = !style.printing || !has(style.printOptions, kPrintNoBackground);
    if (fillFace) painter.fillRect(face, capColour);
    if (border) frameRect(painter, grown(x, y, w, h, o / kHighlightDivisor, r / kHighlightDivisor), toQColor(kHighlight));

    if (record.empty) {
        frameRect(painter, face, toQColor(kHighlight));
        drawSwitchDot(painter, x, y, record, keyboard);
        painter.restore();
        return;
    }
    if (!style.printing) {
        frameRect(painter, face, toQColor(kKeyOutline));
    } else if (has(style.printOptions, kPrintKeyBorder)) {
        dottedOutline(painter, face, toQColor(kKeyOutline));
    }
    if (style.tintProgrammed && !record.programming.empty()) painter.fillRect(face, toQColor(kProgrammedKeyFace));
    drawLegend(painter, record);
    painter.restore();
}

}  // namespace keyui::legend
