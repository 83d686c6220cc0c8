#include "editor/ui/view/programming_box.h"

#include <QFontMetrics>
#include <QPainter>

#include "editor/ui/legend/legend.h"

namespace keyui::view {

namespace {

constexpr char kBoxFontFamily[] = "Arial";
constexpr int kBoxFontPixels = 14;
// The box before fitting, relative to the pointer: from (x, y - 21) to
// (x + 249, y - 2), right and bottom edges outside.
constexpr int kBoxAbovePointer = 21;
constexpr int kBoxGapAbovePointer = 2;
constexpr int kBoxWidth = 249;
constexpr int kWordWrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
constexpr int kWrapAnywhereFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;

}  // namespace

QFont programmingBoxFont() {
    QFont font(QString::fromLatin1(kBoxFontFamily));
    font.setPixelSize(kBoxFontPixels);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferQuality);
    return font;
}

ProgrammingBox placeProgrammingBox(QPoint pointer, const QString& text, QSize client) {
    const QRect start(pointer.x(), pointer.y() - kBoxAbovePointer, kBoxWidth, kBoxAbovePointer - kBoxGapAbovePointer);
    const QFontMetrics metrics(programmingBoxFont());
    ProgrammingBox box{metrics.boundingRect(start, kWordWrapFlags, text), text, kWordWrapFlags};
    if (box.rect.width() > kBoxWidth) {
        // A programming text is often one long word of key names.
        box.textFlags = kWrapAnywhereFlags;
        box.rect = metrics.boundingRect(start, kWrapAnywhereFlags, text);
    }
    box.rect.moveTopLeft(start.topLeft());
    if (box.rect.x() + box.rect.width() > client.width()) box.rect.moveLeft(client.width() - box.rect.width());
    if (box.rect.y() < 0) box.rect.moveTop(0);
    return box;
}

void drawProgrammingBox(QPainter& painter, const ProgrammingBox& box) {
    painter.save();
    painter.fillRect(box.rect, legend::toQColor(kProgrammingBoxBackground));
    painter.setFont(programmingBoxFont());
    painter.setPen(Qt::black);
    painter.drawText(box.rect, box.textFlags, box.text);
    painter.restore();
}

}  // namespace keyui::view
