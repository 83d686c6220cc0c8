#pragma once

// Where the parts of a Windows bitmap file lie, read from its headers
// before any pixel is decoded, and whether the file holds them all: the
// checks that stand between a file from outside and the image reader. The
// image reader takes a short file without complaint and leaves the pixels
// it did not find as whatever the memory held, so a file is given to it
// only when every row (or every run-length code) is there, and only with
// dimensions this drawing shows.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace keyui::legend {

inline constexpr int kMaxPictureSide = 8192;

enum class BitmapCompression : std::uint32_t {
    None = 0,
    RunLength8 = 1,
    RunLength4 = 2,
    BitFields = 3,
};

struct BitmapLayout {
    int width = 0;
    int rows = 0;  // the height without its sign
    int bitCount = 0;
    BitmapCompression compression = BitmapCompression::None;
    std::size_t pixelStart = 0;  // where the reader takes the pixels from

    bool runLengthEncoded() const {
        return compression == BitmapCompression::RunLength8 || compression == BitmapCompression::RunLength4;
    }
};

// The layout of the bitmap in `file` (the whole file's bytes); none when
// the file is not a bitmap of a kind the reader decodes, is larger than
// kMaxPictureSide either way, or ends before its last pixel.
std::optional<BitmapLayout> bitmapLayout(std::span<const std::uint8_t> file);

}  // namespace keyui::legend
