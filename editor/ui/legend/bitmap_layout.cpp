#include "editor/ui/legend/bitmap_layout.h"

#include <algorithm>
#include <array>
#include <limits>

namespace keyui::legend {

namespace {

constexpr std::uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kDataOffsetAt = 10;
constexpr std::size_t kInfoSizeAt = 14;

// The information headers the image reader knows by their size. The oldest
// has 16-bit dimensions and colour entries of 3 bytes; from the fourth
// version on the header holds the colour masks itself, before that they
// follow a bit-field header as three 32-bit words.
struct InfoHeaderKind {
    std::uint32_t size;
    bool core;
    bool holdsMasks;
};
constexpr std::array kInfoHeaderKinds{
    InfoHeaderKind{12, true, false},    // BITMAPCOREHEADER
    InfoHeaderKind{40, false, false},   // BITMAPINFOHEADER
    InfoHeaderKind{64, false, false},   // the second OS/2 header
    InfoHeaderKind{108, false, true},   // BITMAPV4HEADER
    InfoHeaderKind{124, false, true},   // BITMAPV5HEADER
};
constexpr std::size_t kCoreColourEntrySize = 3;
constexpr std::size_t kColourEntrySize = 4;
constexpr std::size_t kMaskBytesAfterHeader = 3 * 4;
constexpr int kMaxIndexedBits = 8;
constexpr std::uint32_t kMaxColourEntries = 256;

// The bit counts and compressions the image reader decodes.
struct PixelKind {
    int bitCount;
    BitmapCompression compression;
};
constexpr std::array kDecodedKinds{
    PixelKind{1, BitmapCompression::None},       PixelKind{4, BitmapCompression::None},
    PixelKind{8, BitmapCompression::None},       PixelKind{16, BitmapCompression::None},
    PixelKind{24, BitmapCompression::None},      PixelKind{32, BitmapCompression::None},
    PixelKind{4, BitmapCompression::RunLength4}, PixelKind{8, BitmapCompression::RunLength8},
    PixelKind{16, BitmapCompression::BitFields}, PixelKind{32, BitmapCompression::BitFields},
};

// Run-length codes: a count and a value, or an escape (count 0) whose
// second byte says what follows.
constexpr std::uint8_t kEscape = 0;
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;  // then two bytes: columns and rows to skip
constexpr std::size_t kCodeSize = 2;

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::optional<std::uint32_t> u32(std::size_t at) const {
        if (!holds(at, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[at]) | static_cast<std::uint32_t>(bytes_[at + 1]) << 8 |
               static_cast<std::uint32_t>(bytes_[at + 2]) << 16 | static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
    }
    std::optional<std::uint16_t> u16(std::size_t at) const {
        if (!holds(at, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
    }
    bool holds(std::size_t at, std::size_t count) const { return at <= bytes_.size() && bytes_.size() - at >= count; }

private:
    std::span<const std::uint8_t> bytes_;
};

std::int64_t signedValue(std::uint32_t value) {
    return value > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())
               ? static_cast<std::int64_t>(value) - (std::int64_t{1} << 32)
               : static_cast<std::int64_t>(value);
}
std::int64_t signedValue(std::uint16_t value) { return static_cast<std::int16_t>(value); }

// What the information header says, in the reader's terms.
struct InfoHeader {
    InfoHeaderKind kind{};
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

std::optional<InfoHeader> readInfoHeader(const ByteReader& reader) {
    const auto size = reader.u32(kInfoSizeAt);
    if (!size) return std::nullopt;
    const auto kind = std::find_if(kInfoHeaderKinds.begin(), kInfoHeaderKinds.end(),
                                   [&](const InfoHeaderKind& k) { return k.size == *size; });
    if (kind == kInfoHeaderKinds.end() || !reader.holds(kFileHeaderSize, kind->size)) return std::nullopt;
    InfoHeader header;
    header.kind = *kind;
    if (kind->core) {
        header.width = signedValue(*reader.u16(18));
        header.height = signedValue(*reader.u16(20));
        header.bitCount = *reader.u16(24);
        return header;
    }
    header.width = signedValue(*reader.u32(18));
    header.height = signedValue(*reader.u32(22));
    header.bitCount = *reader.u16(28);
    header.compression = *reader.u32(30);
    header.coloursUsed = *reader.u32(46);
    return header;
}

bool decoded(const InfoHeader& header) {
    return std::any_of(kDecodedKinds.begin(), kDecodedKinds.end(), [&](const PixelKind& kind) {
        return kind.bitCount == header.bitCount && static_cast<std::uint32_t>(kind.compression) == header.compression;
    });
}

bool shownSize(const InfoHeader& header) {
    return header.width > 0 && header.width <= kMaxPictureSide && header.height != 0 &&
           header.height >= -kMaxPictureSide && header.height <= kMaxPictureSide;
}

// Where the colour table (or the masks) ends: the reader's position when
// it comes to the pixels.
std::optional<std::size_t> endOfColours(const InfoHeader& header) {
    std::size_t end = kFileHeaderSize + header.kind.size;
    if (header.bitCount <= kMaxIndexedBits) {
        const std::uint32_t entries = header.coloursUsed != 0 ? header.coloursUsed : 1u << header.bitCount;
        if (entries > kMaxColourEntries) return std::nullopt;
        end += entries * (header.kind.core ? kCoreColourEntrySize : kColourEntrySize);
    } else if (header.compression == static_cast<std::uint32_t>(BitmapCompression::BitFields) &&
               !header.kind.holdsMasks) {
        end += kMaskBytesAfterHeader;
    }
    return end;
}

bool holdsEveryRow(std::span<const std::uint8_t> file, const BitmapLayout& layout) {
    const std::size_t stride =
        (static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.bitCount) + 31) / 32 * 4;
    return layout.pixelStart <= file.size() &&
           (file.size() - layout.pixelStart) / stride >= static_cast<std::size_t>(layout.rows);
}

// Follows the run-length codes as the reader does, up to the end-of-bitmap
// code or past the last row: true when the file holds every code and every
// byte a code asks for.
bool holdsEveryRunLengthCode(std::span<const std::uint8_t> file, const BitmapLayout& layout) {
    const ByteReader reader(file);
    std::size_t at = layout.pixelStart;
    int row = 0;
    while (row < layout.rows) {
        if (!reader.holds(at, kCodeSize)) return false;
        const std::uint8_t count = file[at];
        const std::uint8_t code = file[at + 1];
        at += kCodeSize;
        if (count != kEscape) continue;  // a run of one value
        switch (code) {
        case kEndOfLine:
            ++row;
            break;
        case kEndOfBitmap:
            return true;
        case kDelta:
            if (!reader.holds(at, kCodeSize)) return false;
            // The reader keeps a jump below the last row on the last row.
            row = std::min(row + file[at + 1], layout.rows - 1);
            at += kCodeSize;
            break;
        default: {  // `code` pixels as they are, padded to a 16-bit boundary
            const std::size_t bytes = (std::size_t{code} * static_cast<std::size_t>(layout.bitCount) + 7) / 8;
            const std::size_t padded = bytes + bytes % 2;
            if (!reader.holds(at, padded)) return false;
            at += padded;
        }
        }
    }
    return true;
}

}  // namespace

std::optional<BitmapLayout> bitmapLayout(std::span<const std::uint8_t> file) {
    const ByteReader reader(file);
    if (reader.u16(0) != kBitmapMagic) return std::nullopt;
    const auto dataOffset = reader.u32(kDataOffsetAt);
    const std::optional<InfoHeader> header = readInfoHeader(reader);
    if (!dataOffset || !header || !decoded(*header) || !shownSize(*header)) return std::nullopt;
    const std::optional<std::size_t> coloursEnd = endOfColours(*header);
    if (!coloursEnd || *coloursEnd > file.size()) return std::nullopt;

    BitmapLayout layout;
    layout.width = static_cast<int>(header->width);
    layout.rows = static_cast<int>(header->height < 0 ? -header->height : header->height);
    layout.bitCount = header->bitCount;
    layout.compression = static_cast<BitmapCompression>(header->compression);
    // The reader goes to the data offset only when it lies ahead of it.
    layout.pixelStart = std::max<std::size_t>(*dataOffset, *coloursEnd);
    const bool complete =
        layout.runLengthEncoded() ? holdsEveryRunLengthCode(file, layout) : holdsEveryRow(file, layout);
    if (!complete) return std::nullopt;
    return layout;
}

}  // namespace keyui::legend
