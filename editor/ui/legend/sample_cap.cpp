#include <QPainter>

#include "editor/ui/legend/cap_drawing.h"
#include "editor/ui/legend/legend.h"

namespace keyui::legend {

namespace {

constexpr double kSampleSide = 13.0;  // mm, without a given size
constexpr std::string_view kSampleCaption = "KEY\\lineKey";

bool given(unsigned values, SampleValue value) { return (values & value) != 0; }

double givenOr(unsigned values, SampleValue value, double own, double fallback) {
    return given(values, value) && own != 0 ? own : fallback;
}
std::uint32_t givenOr(unsigned values, SampleValue value, std::uint32_t own, std::uint32_t fallback) {
    return given(values, value) && own != 0 ? own : fallback;
}

}  // namespace

void drawSampleCap(QPainter& painter, QSize client, const kbxdoc::KeyboardData& keyboard, const DrawRecord& givenRecord,
                   unsigned givenValues) {
    const kbxdoc::CaptionSettings& defaults = keyboard.captionDefaults;
    DrawRecord record;
    record.width = givenOr(givenValues, kSampleSize, givenRecord.width, kSampleSide);
    record.height = givenOr(givenValues, kSampleSize, givenRecord.height, kSampleSide);
    record.surroundX = givenOr(givenValues, kSampleSurround, givenRecord.surroundX, keyboard.capSurroundX);
    record.surroundY = givenOr(givenValues, kSampleSurround, givenRecord.surroundY, keyboard.capSurroundY);
    const double fittedScale = client.width() / (2 * record.surroundX + record.width);
    record.scaleX = givenOr(givenValues, kSampleScales, givenRecord.scaleX, fittedScale);
    record.scaleY = givenOr(givenValues, kSampleScales, givenRecord.scaleY, record.scaleX);
    if (given(givenValues, kSamplePosition)) {
        record.x = givenRecord.x;
        record.y = givenRecord.y;
    } else {
        record.x = static_cast<int>(record.scaleX * record.surroundX);
        record.y = static_cast<int>(record.scaleY * record.surroundY);
    }
    record.leftMargin = givenOr(givenValues, kSampleMargins, givenRecord.leftMargin, defaults.leftMargin);
    record.topMargin = givenOr(givenValues, kSampleMargins, givenRecord.topMargin, defaults.topMargin);
    record.fontHeight = givenOr(givenValues, kSampleFontHeight, givenRecord.fontHeight, defaults.fontHeight);
    record.lineSpacing = givenOr(givenValues, kSampleLineSpacing, givenRecord.lineSpacing, defaults.lineSpacing);
    record.textColour = givenOr(givenValues, kSampleColours, givenRecord.textColour, defaults.textColour);
    record.keyColour = givenOr(givenValues, kSampleColours, givenRecord.keyColour, defaults.keyColour);
    record.font = given(givenValues, kSampleFont) && givenRecord.font != nullptr ? givenRecord.font : &defaults.font;
    record.caption = given(givenValues, kSampleText) ? givenRecord.caption : kSampleCaption;
    record.programming = givenRecord.programming;
    record.empty = record.caption.empty() && record.programming.empty();

    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBackground(Qt::white);
    painter.setFont(legendFont(*record.font, static_cast<int>(record.fontHeight * record.scaleY)));
    drawCap(painter, record, keyboard, CapStyle{});
    painter.restore();
}

}  // namespace keyui::legend
