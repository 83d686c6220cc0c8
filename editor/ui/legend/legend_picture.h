#pragma once

// Windows bitmaps for legend pictures. The headers are checked against the
// bytes there are before Qt's image reader decodes the pixels, and anything
// this drawing does not show gives a null image.

#include <cstddef>
#include <cstdint>
#include <span>

#include <QImage>

#include "editor/ui/legend/bitmap_layout.h"

namespace keyui::legend {

// The bitmap in `file` (the whole file's bytes): 1, 4, 8, 16, 24 or 32 bits
// per pixel, uncompressed, run-length encoded (4 and 8 bits) or with colour
// masks (16 and 32 bits), any header from the oldest to the fifth version,
// bottom-up or top-down; a null image otherwise. Pictures without alpha
// come as Format_RGB32, those with an alpha mask as
// Format_ARGB32_Premultiplied.
QImage decodeBitmap(std::span<const std::uint8_t> file);

}  // namespace keyui::legend
