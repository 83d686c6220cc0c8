#pragma once

// The one drawing of key caps: the key view, printed pages, the print
// preview and the caption dialogs' previews all draw through here, so a cap
// looks the same wherever it is shown. Painters are in device pixels;
// geometry comes in millimetres with the scales and origin of the context's
// keyboard data.

#include <cstdint>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include "editor/document/active_context.h"
#include "editor/document/key_geometry.h"

class QPainter;

namespace keyui::legend {

// Windows colour values 0x00BBGGRR, converted to Qt in this one place.
QColor toQColor(std::uint32_t colourValue);

inline constexpr std::uint32_t kKeyboardBackground = 0xE1F5FA;
inline constexpr std::uint32_t kOuterFrame = 0x323232;
inline constexpr std::uint32_t kBevel = 0xB4C8CD;
inline constexpr std::uint32_t kHighlight = 0xFFFFFF;
inline constexpr std::uint32_t kEmptyKeyCap = 0xDCF0FA;
inline constexpr std::uint32_t kEmptyKeyDotOutline = 0x96A0A6;
inline constexpr std::uint32_t kEmptyKeyDotFill = 0x5A5A5A;
inline constexpr std::uint32_t kKeyOutline = 0x000000;
inline constexpr std::uint32_t kProgrammedKeyFace = 0xC8C8FF;

// What one cap is drawn from, the key's own values with the keyboard's
// caption defaults for every value the key leaves at 0.
struct DrawRecord {
    bool empty = false;  // no programming on the current layer and no caption
    int x = 0;           // pixel position of the cap's top-left corner
    int y = 0;
    double width = 0;    // mm
    double height = 0;
    double surroundX = 0;
    double surroundY = 0;
    double scaleX = 0;   // pixels per mm
    double scaleY = 0;
    double leftMargin = 0;
    double topMargin = 0;
    double fontHeight = 0;   // mm
    double lineSpacing = 0;  // mm; 0: the font height
    std::uint32_t textColour = 0;
    std::uint32_t keyColour = 0;
    const kbxdoc::LogicalFont* font = nullptr;
    std::string_view caption;      // Windows-1252
    std::string_view programming;  // of the current layer
};

DrawRecord drawRecordFor(const kbxdoc::ActiveContext& context, int slot);

// The legend font: "Arial" at `pixelHeight` when the logical font has no
// face name (height 0: the keyboard's font height times its vertical scale),
// else the font as given.
QFont legendFont(const kbxdoc::LogicalFont& font, int pixelHeight);

// The view: background outline, every key from slot 199 down to 0, then the
// selection marks of the context's selection. The context's layer-data
// switch tints programmed keys. Scroll offsets are the painter's business.
void drawKeyboard(QPainter& painter, const kbxdoc::ActiveContext& context);
void drawKey(QPainter& painter, const kbxdoc::ActiveContext& context, int slot);
// The selection mark: four nested dotted focus rectangles, each one pixel
// inside the previous one, on the key's pixel rectangle.
void drawSelectionMark(QPainter& painter, const kbxdoc::PixelRect& rect);

// Printing: the key at (leftMm, topMm) of the page, or at its own place
// when both are negative; `printOptions` are the bits of print_options.h.
// The context's scales are the printer's pixels per mm and its origin the
// page offset in pixels.
void drawKeyForPrint(QPainter& painter, const kbxdoc::ActiveContext& context, int slot, std::uint8_t printOptions,
                     double leftMm, double topMm);

// The preview box of the caption dialogs.
enum SampleValue : unsigned {
    kSamplePosition = 0x01,
    kSampleSize = 0x02,  // else 13 x 13 mm
    kSampleSurround = 0x04,
    kSampleScales = 0x08,
    kSampleMargins = 0x10,
    kSampleFontHeight = 0x20,
    kSampleLineSpacing = 0x40,
    kSampleColours = 0x80,
    kSampleFont = 0x100,
    kSampleText = 0x200,  // else "KEY\lineKey"
};
void drawSampleCap(QPainter& painter, QSize client, const kbxdoc::KeyboardData& keyboard, const DrawRecord& given,
                   unsigned givenValues);

// A legend picture from a Windows bitmap file; a null image when the file
// is missing or is not a bitmap this drawing can show.
QImage loadLegendPicture(const QString& path);
// The same through the editor's picture cache: the file is read and decoded
// again only when it has changed since.
QImage legendPicture(const QString& path);

}  // namespace keyui::legend
