#pragma once

// The box that shows the programming of the key under the pointer while the
// layer-data display is on: where it goes in the client area and how it is
// drawn.

#include <cstdint>

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace keyui::view {

inline constexpr std::uint32_t kProgrammingBoxBackground = 0xC4FFFF;

// "Arial", 14 pixels high, normal weight.
QFont programmingBoxFont();

struct ProgrammingBox {
    QRect rect;  // client pixels
    QString text;
    int textFlags = 0;  // Qt::AlignmentFlag and Qt::TextFlag values
};

// The box for a pointer at `pointer` (client pixels): it starts 21 pixels
// above the pointer, 249 pixels wide and 19 high, and is fitted to the text
// wrapped at word breaks (a word longer than the box is broken too); moved
// left to end at the client's right edge when it would pass it, and down to
// 0 when it would start above the client.
ProgrammingBox placeProgrammingBox(QPoint pointer, const QString& text, QSize client);

void drawProgrammingBox(QPainter& painter, const ProgrammingBox& box);

}  // namespace keyui::view
