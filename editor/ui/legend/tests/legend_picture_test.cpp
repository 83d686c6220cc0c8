// The legend picture decoder: every kind of Windows bitmap decodes to its
// pixels, and files that are cut short, too large or not bitmaps give a null
// image. What a kind of file decodes to follows the bitmap file format; where
// a detail is the choice of Qt's BMP reader (qbmphandler.cpp in qtbase), the
// test says so.

#include "editor/ui/legend/legend_picture.h"

#include <cstdlib>
#include <random>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "editor/ui/legend/legend.h"
#include "editor/ui/legend/tests/bitmap_files.h"

namespace keyui::legend {
namespace {

using namespace keyui::legend::testing;

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

// 16-bit words: 5 bits each of red, green and blue (the top bit unused), or
// 5, 6 and 5 bits with bit fields.
constexpr std::uint32_t kRed555 = 0x7C00;
constexpr std::uint32_t kGreen555 = 0x03E0;
constexpr std::uint32_t kBlue555 = 0x001F;
constexpr std::uint32_t kRed565 = 0xF800;
constexpr std::uint32_t kGreen565 = 0x07E0;
constexpr std::uint32_t kBlue565 = 0x001F;

Bytes sixteenBits(std::uint32_t compression, std::vector<std::uint32_t> masks, std::vector<std::uint32_t> words) {
    const int width = static_cast<int>(words.size());
    return bitmapFile(BitmapHeader{width, 1, 16, compression, kInfoHeader, std::move(masks), {}},
                      pixelRows(width, 1, 16, [&](int x, int) { return words[static_cast<std::size_t>(x)]; }));
}

// Qt's reader widens 5 and 6 bits to 8 by shifting them up (Qt 6.4: full
// intensity reads 248 and 252) or, in later versions, by also repeating
// their top bits below (255); either is near enough here.
constexpr int kWideningSlack = 7;

::testing::AssertionResult near(QRgb actual, int red, int green, int blue) {
    if (std::abs(qRed(actual) - red) <= kWideningSlack && std::abs(qGreen(actual) - green) <= kWideningSlack &&
        std::abs(qBlue(actual) - blue) <= kWideningSlack && qAlpha(actual) == 255)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "read " << qRed(actual) << ", " << qGreen(actual) << ", " << qBlue(actual)
                                         << " alpha " << qAlpha(actual);
}

TEST(LegendPictureFile, SixteenBitBitmapsReadFiveFiveFiveAndFiveSixFive) {
    // Without bit fields a 16-bit bitmap is 5-5-5.
    const QImage plain = decode(sixteenBits(kUncompressed, {}, {kRed555, kGreen555, kBlue555, 0}));
    ASSERT_EQ(plain.size(), QSize(4, 1));
    EXPECT_TRUE(near(plain.pixel(0, 0), 255, 0, 0));
    EXPECT_TRUE(near(plain.pixel(1, 0), 0, 255, 0));
    EXPECT_TRUE(near(plain.pixel(2, 0), 0, 0, 255));
    EXPECT_EQ(plain.pixel(3, 0), qRgb(0, 0, 0));

    const QImage fields555 =
        decode(sixteenBits(kBitFields, {kRed555, kGreen555, kBlue555}, {kGreen555, kRed555 | kBlue555}));
    ASSERT_EQ(fields555.size(), QSize(2, 1));
    EXPECT_TRUE(near(fields555.pixel(0, 0), 0, 255, 0));
    EXPECT_TRUE(near(fields555.pixel(1, 0), 255, 0, 255));

    // The last pixel is half of each channel: 16 of 31, 32 of 63.
    constexpr std::uint32_t kHalf565 = 0x8000 | 0x0400 | 0x10;
    const QImage fields565 =
        decode(sixteenBits(kBitFields, {kRed565, kGreen565, kBlue565}, {kRed565, kGreen565, kBlue565, kHalf565}));
    ASSERT_EQ(fields565.size(), QSize(4, 1));
    EXPECT_TRUE(near(fields565.pixel(0, 0), 255, 0, 0));
    EXPECT_TRUE(near(fields565.pixel(1, 0), 0, 255, 0)) << "six bits of green";
    EXPECT_TRUE(near(fields565.pixel(2, 0), 0, 0, 255));
    EXPECT_TRUE(near(fields565.pixel(3, 0), 128, 128, 128));
}

constexpr std::uint32_t kRed8 = 0x00FF0000;
constexpr std::uint32_t kGreen8 = 0x0000FF00;
constexpr std::uint32_t kBlue8 = 0x000000FF;
constexpr std::uint32_t kAlpha8 = 0xFF000000;

// What image editors write for a picture with alpha: 32 bits with bit
// fields and an alpha mask in a fifth-version header.
Bytes withAlpha(std::uint32_t infoSize, int height) {
    const std::vector<std::uint32_t> words{0xFFFF0000, 0x00000000, 0x800000FF};  // opaque red, clear, half blue
    return bitmapFile(BitmapHeader{3, height, 32, kBitFields, infoSize, {kRed8, kGreen8, kBlue8, kAlpha8}, {}},
                      pixelRows(3, height, 32, [&](int x, int) { return words[static_cast<std::size_t>(x)]; }));
}

TEST(LegendPictureFile, NewerHeadersWithAnAlphaMaskKeepTheAlpha) {
    for (std::uint32_t infoSize : {kV4Header, kV5Header}) {
        for (int height : {2, -2}) {
            const QImage image = decode(withAlpha(infoSize, height));
            ASSERT_EQ(image.size(), QSize(3, 2)) << infoSize << " byte header, height " << height;
            EXPECT_TRUE(image.hasAlphaChannel());
            EXPECT_EQ(image.pixelColor(0, 1), QColor(255, 0, 0, 255));
            EXPECT_EQ(image.pixelColor(1, 0).alpha(), 0);
            EXPECT_EQ(image.pixelColor(2, 1).alpha(), 0x80);
            EXPECT_NEAR(image.pixelColor(2, 1).blue(), 255, 2) << "premultiplied and back";
        }
    }
}

TEST(LegendPictureFile, NewerHeadersWithoutAlphaReadAsTheOldOne) {
    const auto colour = [](int x, int y) { return static_cast<std::uint32_t>(qRgb(x * 40, y * 60, 200)); };
    const QImage trueColour = decode(bitmapFile(BitmapHeader{5, 3, 24, kUncompressed, kV5Header, {}, {}},
                                                pixelRows(5, 3, 24, colour)));
    ASSERT_EQ(trueColour.size(), QSize(5, 3));
    EXPECT_FALSE(trueColour.hasAlphaChannel());
    EXPECT_EQ(trueColour.pixel(4, 2), qRgb(160, 120, 200));

    const QImage indexed = decode(bitmapFile(BitmapHeader{4, 1, 8, kUncompressed, kV4Header, {}, kPalette16},
                                             pixelRows(4, 1, 8, [](int x, int) { return std::uint32_t(x * 3); })));
    ASSERT_EQ(indexed.size(), QSize(4, 1));
    EXPECT_EQ(indexed.pixel(3, 0), kPalette16[9]);
}

// A 5 x 4 RLE8 picture, bottom row first. Codes are a count and a value,
// or 0 and: 0 end of line, 1 end of bitmap, 2 a jump (columns, rows), 3 or
// more that many pixels as they are, padded to an even count.
const Bytes kRunLengthPixels{
    3, 1, 1, 2, 1, 3, 0, 0,        // row 3: 1 1 1 2 3, end of line
    0, 3, 4, 5, 6, 0, 2, 7, 0, 0,  // row 2: 4 5 6 as they are, two 7s, end of line
    0, 2, 2, 1,                    // a jump over row 1 to column 2 of row 0
    1, 5, 0, 1,                    // one 5, end of bitmap
};
constexpr int kRunLengthWidth = 5;
constexpr int kRunLengthHeight = 4;
Bytes runLengthBitmap(const Bytes& pixels = kRunLengthPixels) {
    return bitmapFile(
        BitmapHeader{kRunLengthWidth, kRunLengthHeight, 8, kRunLength8, kInfoHeader, {}, kPalette16}, pixels);
}

TEST(LegendPictureFile, RunLengthEncodedBitmapsExpandRunsLiteralsAndJumps) {
    const QImage image = decode(runLengthBitmap());
    ASSERT_EQ(image.size(), QSize(kRunLengthWidth, kRunLengthHeight));
    const auto row = [&image](int y) {
        std::vector<QRgb> pixels;
        for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
        return pixels;
    };
    const auto colours = [](std::initializer_list<int> indices) {
        std::vector<QRgb> pixels;
        for (int index : indices) pixels.push_back(kPalette16[static_cast<std::size_t>(index)]);
        return pixels;
    };
    EXPECT_EQ(row(3), colours({1, 1, 1, 2, 3}));
    EXPECT_EQ(row(2), colours({4, 5, 6, 7, 7}));
    // What the codes jump over, and what follows the end of the bitmap, is
    // colour 0.
    EXPECT_EQ(row(1), colours({0, 0, 0, 0, 0}));
    EXPECT_EQ(row(0), colours({0, 0, 5, 0, 0}));

    // RLE4: a run alternates its two nibbles.
    const Bytes nibbles{4, 0x12, 0, 0, 0, 1};
    const QImage rle4 = decode(bitmapFile(BitmapHeader{4, 1, 4, kRunLength4, kInfoHeader, {}, kPalette16}, nibbles));
    ASSERT_EQ(rle4.size(), QSize(4, 1));
    EXPECT_EQ(rle4.pixel(0, 0), kPalette16[1]);
    EXPECT_EQ(rle4.pixel(3, 0), kPalette16[2]);
}

Bytes validTrueColour() {
    return bitmap(8, 8, 24, [](int, int) { return static_cast<std::uint32_t>(qRgb(10, 20, 30)); });
}

struct Damage {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    bool sixteenBits;
};

void expectNullAfter(const Bytes& valid, const Damage& damage, const char* kind) {
    Bytes bytes = valid;
    if (damage.sixteenBits) {
        put16(bytes, damage.at, static_cast<std::uint16_t>(damage.value));
    } else {
        put32(bytes, damage.at, damage.value);
    }
    EXPECT_TRUE(decode(bytes).isNull()) << kind << ": " << damage.what;
}

TEST(LegendPictureFile, HostileFilesGiveANullImage) {
    const Bytes trueColour = validTrueColour();
    const Bytes alpha = withAlpha(kV5Header, 8);
    ASSERT_FALSE(decode(trueColour).isNull());
    ASSERT_FALSE(decode(alpha).isNull());

    EXPECT_TRUE(decode({}).isNull());
    for (const Bytes& valid : {trueColour, alpha}) {
        Bytes truncated = valid;
        truncated.resize(truncated.size() - 1);
        EXPECT_TRUE(decode(truncated).isNull()) << "last row cut";
        truncated.resize(60);
        EXPECT_TRUE(decode(truncated).isNull()) << "header cut";
    }

    const Damage damages[] = {
        {"magic", 0, 0x4141, true},
        {"huge width", 18, 100000, false},
        {"width over 8192", 18, 8193, false},
        {"zero width", 18, 0, false},
        {"negative width", 18, 0xFFFFFFF0, false},
        {"huge height", 22, 0x7FFFFFFF, false},
        {"height over 8192", 22, 8193, false},
        {"top-down height over 8192", 22, static_cast<std::uint32_t>(-8193), false},
        {"most negative height", 22, 0x80000000, false},
        {"zero height", 22, 0, false},
        {"rows beyond the file", 22, 9, false},
        {"data offset beyond the file", 10, 0xFFFFFFF0, false},
        {"unknown compression", 30, 7, false},
        {"0 bits", 28, 0, true},
        {"12 bits", 28, 12, true},
        {"header size no reader knows", 14, 52, false},
        {"info header beyond the file", 14, 0xFFFFFF00, false},
    };
    for (const Damage& damage : damages) {
        expectNullAfter(trueColour, damage, "24 bits");
        expectNullAfter(alpha, damage, "32 bits with alpha");
    }
    expectNullAfter(trueColour, {"run-length codes on 24 bits", 30, kRunLength8, false}, "24 bits");
    expectNullAfter(trueColour, {"bit fields on 24 bits", 30, kBitFields, false}, "24 bits");

    Bytes shortTable = bitmap(1, 1, 8, [](int, int) { return 0u; }, {qRgb(1, 1, 1)});
    put32(shortTable, 46, 0);  // asks for all 256 entries, the file has one
    EXPECT_TRUE(decode(shortTable).isNull()) << "colour table beyond the end";
    put32(shortTable, 46, 257);
    EXPECT_TRUE(decode(shortTable).isNull()) << "more colours than 8 bits index";

    Bytes masksCut = sixteenBits(kBitFields, {kRed565, kGreen565, kBlue565}, {0, 0});
    masksCut.resize(14 + 40 + 8);
    EXPECT_TRUE(decode(masksCut).isNull()) << "bit-field masks beyond the end";
}

TEST(LegendPictureFile, RunLengthCodesCutShortGiveANullImage) {
    ASSERT_FALSE(decode(runLengthBitmap()).isNull());
    Bytes noEnd = kRunLengthPixels;
    noEnd.resize(noEnd.size() - 2);
    EXPECT_TRUE(decode(runLengthBitmap(noEnd)).isNull()) << "no end-of-bitmap code before the last row";
    EXPECT_TRUE(decode(runLengthBitmap({3, 1, 0, 5, 2, 3})).isNull()) << "literal pixels beyond the end";
    EXPECT_TRUE(decode(runLengthBitmap({0, 2, 1})).isNull()) << "jump beyond the end";
    EXPECT_TRUE(decode(runLengthBitmap({3})).isNull()) << "half a code";
    // Four ended lines cover the picture: no end-of-bitmap code is needed.
    EXPECT_FALSE(decode(runLengthBitmap({5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0, 5, 4, 0, 0})).isNull());
}

TEST(LegendPictureFile, RandomBytesNeverCrash) {
    std::mt19937 random(1234);
    const std::vector<Bytes> seeds{validTrueColour(), withAlpha(kV5Header, 8), runLengthBitmap(),
                                   sixteenBits(kBitFields, {kRed565, kGreen565, kBlue565}, {1, 2, 3})};
    for (const Bytes& seed : seeds) {
        for (int round = 0; round < 1000; ++round) {
            Bytes bytes = seed;
            bytes.resize(random() % (bytes.size() + 1));
            const int changes = 1 + static_cast<int>(random() % 6);
            for (int i = 0; i < changes && !bytes.empty(); ++i)
                bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
            const QImage image = decode(bytes);
            if (!image.isNull()) {
                EXPECT_LE(image.width(), kMaxPictureSide);
                EXPECT_LE(image.height(), kMaxPictureSide);
            }
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
