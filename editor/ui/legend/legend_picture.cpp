#include "editor/ui/legend/legend_picture.h"

#include <array>
#include <limits>
#include <optional>

#include <QFile>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/legend/legend.h"

namespace keyui::legend {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr std::uint32_t kUncompressed = 0;
constexpr std::size_t kColourEntrySize = 4;
constexpr int kMaxIndexedBits = 8;
constexpr std::array kShownBitCounts{1, 4, 8, 24, 32};

// The largest file a picture of the largest size can need, headers included.
constexpr qint64 kMaxFileSize =
    static_cast<qint64>(kMaxPictureSide) * kMaxPictureSide * 4 + 64 * 1024;

struct BitmapHeader {
    std::uint32_t dataOffset = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: top-down rows
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::optional<std::uint32_t> u32(std::size_t at) const {
        if (at > bytes_.size() || bytes_.size() - at < 4) return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[at]) | static_cast<std::uint32_t>(bytes_[at + 1]) << 8 |
               static_cast<std::uint32_t>(bytes_[at + 2]) << 16 | static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
    }
    std::optional<std::uint16_t> u16(std::size_t at) const {
        if (at > bytes_.size() || bytes_.size() - at < 2) return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

std::int32_t signedValue(std::uint32_t value) {
    return value > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())
               ? -static_cast<std::int32_t>(~value) - 1
               : static_cast<std::int32_t>(value);
}

std::optional<BitmapHeader> readHeader(std::span<const std::uint8_t> file) {
    const ByteReader reader(file);
    if (reader.u16(0) != kBitmapMagic) return std::nullopt;
    const auto offset = reader.u32(10);
    const auto infoSize = reader.u32(14);
    const auto width = reader.u32(18);
    const auto height = reader.u32(22);
    const auto bits = reader.u16(28);
    const auto compression = reader.u32(30);
    const auto coloursUsed = reader.u32(46);
    if (!offset || !infoSize || !width || !height || !bits || !compression || !coloursUsed) return std::nullopt;
    return BitmapHeader{*offset, *infoSize, signedValue(*width), signedValue(*height), *bits, *compression,
                        *coloursUsed};
}

bool shown(const BitmapHeader& header) {
    bool knownBits = false;
    for (int bits : kShownBitCounts) knownBits = knownBits || bits == header.bitCount;
    const std::int64_t height = header.height;
    return knownBits && header.compression == kUncompressed && header.infoSize >= kInfoHeaderSize &&
           header.width > 0 && header.width <= kMaxPictureSide && height != 0 && height >= -kMaxPictureSide &&
           height <= kMaxPictureSide;
}

// The colour table as RGB32 values; none when it does not fit the file.
std::optional<std::vector<QRgb>> readColourTable(std::span<const std::uint8_t> file, const BitmapHeader& header,
                                                 std::size_t tableStart) {
    std::vector<QRgb> table;
    if (header.bitCount > kMaxIndexedBits) return table;
    std::size_t entries = std::size_t{1} << header.bitCount;
    if (header.coloursUsed != 0 && header.coloursUsed < entries) entries = header.coloursUsed;
    if (tableStart > file.size() || (file.size() - tableStart) / kColourEntrySize < entries) return std::nullopt;
    table.reserve(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t at = tableStart + i * kColourEntrySize;  // blue, green, red, reserved
        table.push_back(qRgb(file[at + 2], file[at + 1], file[at]));
    }
    return table;
}

QRgb indexedColour(const std::vector<QRgb>& table, unsigned index) {
    return index < table.size() ? table[index] : qRgb(0, 0, 0);
}

QRgb pixelOfRow(const std::uint8_t* row, int x, int bitCount, const std::vector<QRgb>& table) {
    const auto column = static_cast<std::size_t>(x);
    switch (bitCount) {
    case 1:
        return indexedColour(table, (row[column / 8] >> (7 - column % 8)) & 1u);
    case 4:
        return indexedColour(table, (row[column / 2] >> (column % 2 == 0 ? 4 : 0)) & 0xFu);
    case 8:
        return indexedColour(table, row[column]);
    case 24:
        return qRgb(row[column * 3 + 2], row[column * 3 + 1], row[column * 3]);
    default:  // 32
        return qRgb(row[column * 4 + 2], row[column * 4 + 1], row[column * 4]);
    }
}

}  // namespace

QImage decodeBitmap(std::span<const std::uint8_t> file) {
    const std::optional<BitmapHeader> header = readHeader(file);
    if (!header || !shown(*header)) return {};
    const std::size_t tableStart = kFileHeaderSize + header->infoSize;
    if (tableStart > file.size()) return {};
    const std::optional<std::vector<QRgb>> table = readColourTable(file, *header, tableStart);
    if (!table) return {};

    const auto width = static_cast<std::size_t>(header->width);
    const std::size_t rows = static_cast<std::size_t>(header->height < 0 ? -std::int64_t{header->height}
                                                                        : std::int64_t{header->height});
    const std::size_t stride = (width * static_cast<std::size_t>(header->bitCount) + 31) / 32 * 4;
    const std::size_t dataStart = header->dataOffset != 0
                                      ? header->dataOffset
                                      : tableStart + table->size() * kColourEntrySize;
    if (dataStart > file.size() || (file.size() - dataStart) / stride < rows) return {};

    QImage image(header->width, static_cast<int>(rows), QImage::Format_RGB32);
    if (image.isNull()) return {};
    const bool topDown = header->height < 0;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::uint8_t* source = file.data() + dataStart + r * stride;
        const int y = static_cast<int>(topDown ? r : rows - 1 - r);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < header->width; ++x) target[x] = pixelOfRow(source, x, header->bitCount, *table);
    }
    return image;
}

QImage loadLegendPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    if (file.size() > kMaxFileSize) return {};
    const QByteArray bytes = file.readAll();
    return decodeBitmap(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                  static_cast<std::size_t>(bytes.size())));
}

QImage legendPicture(const QString& path) { return editorState().pictures.picture(path, loadLegendPicture); }

}  // namespace keyui::legend
