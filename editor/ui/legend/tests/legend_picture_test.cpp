#include "editor/ui/legend/legend_picture.h"

#include <cstring>
#include <random>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "editor/ui/legend/legend.h"

namespace keyui::legend {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}
void put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// A bitmap file of width x |height| whose pixel (x, y) (y from the top) has
// the colour-table index or colour `pixel(x, y)`.
template <typename Pixel>
Bytes bitmap(int width, int height, int bits, Pixel pixel, const std::vector<QRgb>& table = {}) {
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    const std::size_t stride = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
    const std::size_t tableBytes = table.size() * 4;
    const std::size_t offset = 54 + tableBytes;
    Bytes bytes(offset + stride * rows, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    put32(bytes, 10, static_cast<std::uint32_t>(offset));
    put32(bytes, 14, 40);
    put32(bytes, 18, static_cast<std::uint32_t>(width));
    put32(bytes, 22, static_cast<std::uint32_t>(height));
    put16(bytes, 26, 1);
    put16(bytes, 28, static_cast<std::uint16_t>(bits));
    for (std::size_t i = 0; i < table.size(); ++i) {
        bytes[54 + i * 4] = static_cast<std::uint8_t>(qBlue(table[i]));
        bytes[55 + i * 4] = static_cast<std::uint8_t>(qGreen(table[i]));
        bytes[56 + i * 4] = static_cast<std::uint8_t>(qRed(table[i]));
    }
    for (std::size_t r = 0; r < rows; ++r) {
        const int y = height < 0 ? static_cast<int>(r) : static_cast<int>(rows - 1 - r);
        std::uint8_t* row = bytes.data() + offset + r * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = pixel(x, y);
            const auto column = static_cast<std::size_t>(x);
            switch (bits) {
            case 1: row[column / 8] |= static_cast<std::uint8_t>((value & 1) << (7 - column % 8)); break;
            case 4: row[column / 2] |= static_cast<std::uint8_t>((value & 0xF) << (column % 2 == 0 ? 4 : 0)); break;
            case 8: row[column] = static_cast<std::uint8_t>(value); break;
            default: {
                const std::size_t size = static_cast<std::size_t>(bits / 8);
                row[column * size] = static_cast<std::uint8_t>(qBlue(value));
                row[column * size + 1] = static_cast<std::uint8_t>(qGreen(value));
                row[column * size + 2] = static_cast<std::uint8_t>(qRed(value));
            }
            }
        }
    }
    return bytes;
}

QImage decode(const Bytes& bytes) { return decodeBitmap(bytes); }

const std::vector<QRgb> kPalette16 = [] {
    std::vector<QRgb> table;
    for (int i = 0; i < 16; ++i) table.push_back(qRgb(i * 16, 255 - i * 16, i * 8));
    return table;
}();

TEST(LegendPictureFile, IndexedBitmapsShowTheirColourTable) {
    const QImage mono = decode(bitmap(
        10, 3, 1, [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 2); },
        {qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    ASSERT_EQ(mono.size(), QSize(10, 3));
    EXPECT_EQ(mono.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(mono.pixel(9, 0), qRgb(255, 255, 255));
    EXPECT_EQ(mono.pixel(9, 2), qRgb(255, 255, 255));

    const QImage nibbles = decode(bitmap(
        5, 2, 4, [](int x, int y) { return static_cast<std::uint32_t>(x + 5 * y); }, kPalette16));
    ASSERT_EQ(nibbles.size(), QSize(5, 2));
    EXPECT_EQ(nibbles.pixel(3, 0), kPalette16[3]);
    EXPECT_EQ(nibbles.pixel(4, 1), kPalette16[9]);

    std::vector<QRgb> grey;
    for (int i = 0; i < 256; ++i) grey.push_back(qRgb(i, i, i));
    const QImage bytes = decode(bitmap(
        7, 4, 8, [](int x, int y) { return static_cast<std::uint32_t>(x * 30 + y); }, grey));
    ASSERT_EQ(bytes.size(), QSize(7, 4));
    EXPECT_EQ(bytes.pixel(6, 3), qRgb(183, 183, 183));
}

TEST(LegendPictureFile, TrueColourBitmapsReadBottomUpAndTopDown) {
    const auto colour = [](int x, int y) { return static_cast<std::uint32_t>(qRgb(x * 40, y * 60, 200)); };
    for (int bits : {24, 32}) {
        for (int height : {3, -3}) {
            const QImage image = decode(bitmap(5, height, bits, colour));
            ASSERT_EQ(image.size(), QSize(5, 3)) << bits << " bits, height " << height;
            EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 200));
            EXPECT_EQ(image.pixel(4, 2), qRgb(160, 120, 200)) << bits << " bits, height " << height;
        }
    }
}

TEST(LegendPictureFile, ShorterColourTableFromTheHeaderIsHonoured) {
    Bytes bytes = bitmap(
        4, 1, 8, [](int x, int) { return static_cast<std::uint32_t>(x % 2); }, {qRgb(1, 2, 3), qRgb(4, 5, 6)});
    put32(bytes, 46, 2);
    const QImage image = decode(bytes);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(1, 0), qRgb(4, 5, 6));
}

TEST(LegendPictureFile, IndexBeyondTheTableIsBlackNotAReadPastIt) {
    Bytes bytes = bitmap(
        2, 1, 8, [](int x, int) { return static_cast<std::uint32_t>(x * 200); }, {qRgb(9, 9, 9)});
    put32(bytes, 46, 1);
    const QImage image = decode(bytes);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), qRgb(9, 9, 9));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 0));
}

Bytes validTrueColour() {
    return bitmap(8, 8, 24, [](int, int) { return static_cast<std::uint32_t>(qRgb(10, 20, 30)); });
}

TEST(LegendPictureFile, HostileFilesGiveANullImage) {
    EXPECT_FALSE(decode(validTrueColour()).isNull());

    EXPECT_TRUE(decode({}).isNull());
    Bytes truncated = validTrueColour();
    truncated.resize(truncated.size() - 1);
    EXPECT_TRUE(decode(truncated).isNull()) << "last row cut";
    truncated.resize(30);
    EXPECT_TRUE(decode(truncated).isNull()) << "header cut";

    struct Damage {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        bool sixteenBits;
    };
    const Damage damages[] = {
        {"magic", 0, 0x4141, true},
        {"huge width", 18, 100000, false},
        {"width over 8192", 18, 8193, false},
        {"zero width", 18, 0, false},
        {"negative width", 18, 0xFFFFFFF0, false},
        {"huge height", 22, 0x7FFFFFFF, false},
        {"most negative height", 22, 0x80000000, false},
        {"zero height", 22, 0, false},
        {"rows beyond the file", 22, 9, false},
        {"data offset beyond the file", 10, 0xFFFFFFF0, false},
        {"compressed", 30, 1, false},
        {"bit fields", 30, 3, false},
        {"16 bits", 28, 16, true},
        {"0 bits", 28, 0, true},
        {"short info header", 14, 12, false},
        {"info header beyond the file", 14, 0xFFFFFF00, false},
    };
    for (const Damage& damage : damages) {
        Bytes bytes = validTrueColour();
        if (damage.sixteenBits) {
            put16(bytes, damage.at, static_cast<std::uint16_t>(damage.value));
        } else {
            put32(bytes, damage.at, damage.value);
        }
        EXPECT_TRUE(decode(bytes).isNull()) << damage.what;
    }

    Bytes shortTable = bitmap(
        1, 1, 8, [](int, int) { return 0u; }, {qRgb(1, 1, 1)});
    put32(shortTable, 46, 0);  // asks for all 256 entries, the file has one
    EXPECT_TRUE(decode(shortTable).isNull()) << "colour table beyond the end";
}

TEST(LegendPictureFile, RandomBytesNeverCrash) {
    std::mt19937 random(1234);
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes = validTrueColour();
        bytes.resize(random() % (bytes.size() + 1));
        const int changes = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < changes && !bytes.empty(); ++i)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        const QImage image = decode(bytes);
        if (!image.isNull()) {
            EXPECT_LE(image.width(), kMaxPictureSide);
        }
    }
    for (int round = 0; round < 200; ++round) {
        Bytes noise(random() % 256);
        for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
        decode(noise);
    }
}

TEST(LegendPictureFile, LoadsFromDiskAndRefusesMissingFiles) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("cap.bmp"));
    const Bytes bytes = validTrueColour();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
    const QImage image = loadLegendPicture(path);
    ASSERT_EQ(image.size(), QSize(8, 8));
    EXPECT_EQ(image.pixel(3, 3), qRgb(10, 20, 30));
    EXPECT_TRUE(loadLegendPicture(folder.filePath(QStringLiteral("missing.bmp"))).isNull());
    EXPECT_TRUE(loadLegendPicture(folder.path()).isNull()) << "a folder";
}

}  // namespace
}  // namespace keyui::legend
