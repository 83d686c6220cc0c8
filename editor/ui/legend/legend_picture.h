#pragma once

// Windows bitmaps for legend pictures, read by a bounded loader: every
// field is checked against the bytes there are, and anything this drawing
// does not show gives a null image.

#include <cstddef>
#include <cstdint>
#include <span>

#include <QImage>

namespace keyui::legend {

inline constexpr int kMaxPictureSide = 8192;

// The bitmap in `file` (the whole file's bytes): uncompressed 1, 4, 8, 24
// or 32 bits per pixel, bottom-up or top-down; a null image otherwise.
QImage decodeBitmap(std::span<const std::uint8_t> file);

}  // namespace keyui::legend
