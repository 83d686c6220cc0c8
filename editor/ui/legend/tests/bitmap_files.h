#pragma once

// Windows bitmap files written byte by byte for the decoder's tests, after
// the file format: a 14-byte file header ("BM", file size at 2, pixel
// offset at 10), an information header of the given size (dimensions at 18
// and 22, planes at 26, bit count at 28, compression at 30, colours used at
// 46, the table's length; from the 108-byte fourth version on the red, green, blue and alpha
// masks at 54, 58, 62 and 66), the three masks after a 40-byte header with
// bit fields, the colour table (blue, green, red, reserved), the pixels.

#include <cstdint>
#include <vector>

#include <QColor>

namespace keyui::legend::testing {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint32_t kUncompressed = 0;
inline constexpr std::uint32_t kRunLength8 = 1;
inline constexpr std::uint32_t kRunLength4 = 2;
inline constexpr std::uint32_t kBitFields = 3;
inline constexpr std::uint32_t kInfoHeader = 40;
inline constexpr std::uint32_t kV4Header = 108;
inline constexpr std::uint32_t kV5Header = 124;

inline void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
inline void put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

struct BitmapHeader {
    int width = 0;
    int height = 0;  // negative: top-down rows
    int bits = 24;
    std::uint32_t compression = kUncompressed;
    std::uint32_t infoSize = kInfoHeader;
    std::vector<std::uint32_t> masks;  // red, green, blue (, alpha)
    std::vector<QRgb> table;
};

// The file of `header` with `pixels` as its pixel data.
inline Bytes bitmapFile(const BitmapHeader& header, const Bytes& pixels) {
    constexpr std::size_t kFileHeaderSize = 14;
    constexpr std::size_t kMasksInHeaderAt = 54;
    const bool masksAfterHeader = header.infoSize < kV4Header && header.compression == kBitFields;
    const std::size_t masksAt = kFileHeaderSize + header.infoSize;
    const std::size_t tableAt = masksAt + (masksAfterHeader ? 4 * header.masks.size() : 0);
    const std::size_t offset = tableAt + 4 * header.table.size();
    Bytes bytes(offset, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, static_cast<std::uint32_t>(offset + pixels.size()));
    put32(bytes, 10, static_cast<std::uint32_t>(offset));
    put32(bytes, 14, header.infoSize);
    put32(bytes, 18, static_cast<std::uint32_t>(header.width));
    put32(bytes, 22, static_cast<std::uint32_t>(header.height));
    put16(bytes, 26, 1);
    put16(bytes, 28, static_cast<std::uint16_t>(header.bits));
    put32(bytes, 30, header.compression);
    put32(bytes, 34, static_cast<std::uint32_t>(pixels.size()));
    put32(bytes, 46, static_cast<std::uint32_t>(header.table.size()));
    const std::size_t masksStart = masksAfterHeader ? masksAt : kMasksInHeaderAt;
    if (masksAfterHeader || header.infoSize >= kV4Header) {
        for (std::size_t i = 0; i < header.masks.size(); ++i) put32(bytes, masksStart + 4 * i, header.masks[i]);
    }
    for (std::size_t i = 0; i < header.table.size(); ++i) {
        bytes[tableAt + i * 4] = static_cast<std::uint8_t>(qBlue(header.table[i]));
        bytes[tableAt + i * 4 + 1] = static_cast<std::uint8_t>(qGreen(header.table[i]));
        bytes[tableAt + i * 4 + 2] = static_cast<std::uint8_t>(qRed(header.table[i]));
    }
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return bytes;
}

// Uncompressed pixel rows in file order (bottom-up for a positive height),
// each padded to 4 bytes. `pixel(x, y)` (y from the top) gives a colour
// table index for 1 to 8 bits, the 16- or 32-bit word as stored for 16 and
// 32 bits, and a colour for 24 bits.
template <typename Pixel>
Bytes pixelRows(int width, int height, int bits, Pixel pixel) {
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    const std::size_t stride = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
    Bytes bytes(stride * rows, 0);
    for (std::size_t r = 0; r < rows; ++r) {
        const int y = height < 0 ? static_cast<int>(r) : static_cast<int>(rows - 1 - r);
        std::uint8_t* row = bytes.data() + r * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = pixel(x, y);
            const auto column = static_cast<std::size_t>(x);
            switch (bits) {
            case 1: row[column / 8] |= static_cast<std::uint8_t>((value & 1) << (7 - column % 8)); break;
            case 4: row[column / 2] |= static_cast<std::uint8_t>((value & 0xF) << (column % 2 == 0 ? 4 : 0)); break;
            case 8: row[column] = static_cast<std::uint8_t>(value); break;
            case 24:
                row[column * 3] = static_cast<std::uint8_t>(qBlue(value));
                row[column * 3 + 1] = static_cast<std::uint8_t>(qGreen(value));
                row[column * 3 + 2] = static_cast<std::uint8_t>(qRed(value));
                break;
            default:  // 16 and 32: the word, least significant byte first
                for (std::size_t i = 0; i < static_cast<std::size_t>(bits / 8); ++i)
                    row[column * static_cast<std::size_t>(bits / 8) + i] = static_cast<std::uint8_t>(value >> (8 * i));
            }
        }
    }
    return bytes;
}

template <typename Pixel>
Bytes bitmap(int width, int height, int bits, Pixel pixel, const std::vector<QRgb>& table = {}) {
    return bitmapFile(BitmapHeader{width, height, bits, kUncompressed, kInfoHeader, {}, table},
                      pixelRows(width, height, bits, pixel));
}

}  // namespace keyui::legend::testing
