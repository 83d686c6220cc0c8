#pragma once

// Small helpers the editor's tests share.

#include <QColor>
#include <QImage>

namespace keyui::testing {

// The colour of one pixel of an image as a Windows colour value 0x00BBGGRR,
// so tests compare it with the drawing's constants directly.
inline std::uint32_t pixelValue(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

}  // namespace keyui::testing
