#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>

#include "kbxdump/image_printer.h"
#include "kbxdump/image_reader.h"
#include "tools/kbxdump/tests/image_builder.h"

namespace kbxdump::test {
namespace {

// Model 6 (MIRK): A01 is index 0, A02 index 1, A03 index 2.
constexpr int kA01 = 0;
constexpr int kA02 = 1;

// Blocks at 304 and 312, A01 with records at 317 and 327, A02 in short form;
// 335 bytes.
Bytes twoRecordImage() {
    return mirkBuilder()
        .key(kA01, {{0x02, 0x82, 0x00, {0x2A, 0x1E, 0x9E, 0xAA}}, {0x00, 0x80, 0x00, {0x1E, 0x9E}}})
        .shortForm(kA02, 0x1E)
        .build();
}

ImageError errorOf(const Bytes& image) {
    const ReadResult result = readImage(image);
    EXPECT_FALSE(result.ok());
    return result.error;
}

TEST(ImageBuilder, BuildsTheImageOfTypeMirkByteForByte) {
    Bytes expected{'V', 'y', 'r', 'n', 0, 0, 0x01, 0x3D};
    expected.resize(292, 0);
    expected.insert(expected.end(), {85, 2, 255, 20, 0, 4, 0x54, 4, 4, 0x54, 0x01, 0x30});
    expected.insert(expected.end(), {0x01, 0x38, 1, 3, 6, 0xBF, 0, 0});
    expected.insert(expected.end(), {0x01, 0x2E, 2, 0, 0x2C});
    EXPECT_EQ(mirkBuilder().build(), expected);
}

TEST(ImageReader, ReadsTheHeaderAndBothBlocksOfTypeMirk) {
    const ReadResult result = readImage(mirkBuilder().build());
    ASSERT_TRUE(result.ok()) << result.error.message;
    const Image& image = *result.image;
    EXPECT_EQ(image.header.length, 317);
    EXPECT_EQ(image.header.clickVolume, 85);
    EXPECT_EQ(image.header.alarmDuration, 20);
    EXPECT_EQ(image.header.hotKeys[1].state, 4);
    EXPECT_EQ(image.header.hotKeys[1].code, 0x54);
    EXPECT_EQ(image.header.chainHead, 304);
    ASSERT_EQ(image.blocks.size(), 2u);
    EXPECT_EQ(image.blocks[0].offset, 304u);
    EXPECT_EQ(image.blocks[0].data, (Bytes{6, 0xBF, 0, 0}));
    EXPECT_EQ(image.blocks[1].offset, 312u);
    EXPECT_EQ(image.blocks[1].link, 302);
    EXPECT_EQ(image.blocks[1].data, (Bytes{0x2C}));
    EXPECT_EQ(image.model, 6);
    EXPECT_FALSE(image.wide);
    EXPECT_EQ(image.dataOffset, 304u);
    EXPECT_TRUE(image.keys.empty());
}

TEST(ImageReader, AnImageWithoutBlocksHasNoModel) {
    const ReadResult result = readImage(ImageBuilder().shortForm(kA01, 0x1E).build());
    ASSERT_TRUE(result.ok()) << result.error.message;
    EXPECT_FALSE(result.image->model.has_value());
    EXPECT_TRUE(result.image->blocks.empty());
    EXPECT_EQ(result.image->keys.size(), 1u);
}

TEST(ImageReader, FollowsTheRecordsOfAKeyInChainOrder) {
    const ReadResult result = readImage(twoRecordImage());
    ASSERT_TRUE(result.ok()) << result.error.message;
    ASSERT_EQ(result.image->keys.size(), 2u);
    const Key& key = result.image->keys[0];
    EXPECT_EQ(key.index, kA01);
    EXPECT_EQ(key.slot, 317);
    ASSERT_EQ(key.records.size(), 2u);
    EXPECT_EQ(key.records[0].offset, 317u);
    EXPECT_EQ(key.records[0].link, 327);
    EXPECT_EQ(key.records[0].bytes, (kbxc::DefinitionBytes{0x02, 0x82, 0x00}));
    EXPECT_EQ(key.records[0].program, (Bytes{0x2A, 0x1E, 0x9E, 0xAA}));
    EXPECT_EQ(key.records[1].offset, 327u);
    EXPECT_EQ(key.records[1].link, 0);
    EXPECT_EQ(key.records[1].program, (Bytes{0x1E, 0x9E}));
}

TEST(ImageReader, TakesASlotBelow256AsTheShortForm) {
    const ReadResult result = readImage(mirkBuilder().shortForm(kA01, 0x1E).shortForm(kA02, 0xCB).build());
    ASSERT_TRUE(result.ok()) << result.error.message;
    ASSERT_EQ(result.image->keys.size(), 2u);
    EXPECT_TRUE(result.image->keys[0].isShortForm());
    EXPECT_EQ(result.image->keys[0].makeCode(), 0x1E);
    EXPECT_FALSE(result.image->keys[0].hasE0Prefix());
    EXPECT_EQ(result.image->keys[1].makeCode(), 0x4B);
    EXPECT_TRUE(result.image->keys[1].hasE0Prefix());
}

TEST(ImageReader, ReadsARecordWithoutBytes) {
    const ReadResult result = readImage(mirkBuilder().key(kA01, {{0, 0x80, 0, {}}}).build());
    ASSERT_TRUE(result.ok()) << result.error.message;
    EXPECT_TRUE(result.image->keys[0].records[0].program.empty());
}

TEST(ImageReader, AWideImageHasSlotsForKeys158To189BeforeItsDataArea) {
    // TARN: C21 is index 62, G21 index 176 (slot at 340).
    const Bytes bytes = tarnBuilder()
                            .key(176, {{0, 0x80, 0, {0x1E, 0x9E}}})
                            .key(62, {{0, 0x80, 0, {0x30}}})
                            .shortForm(128, 0x1E)
                            .build();
    EXPECT_EQ(wordAt(bytes, 340), 420);
    const ReadResult result = readImage(bytes);
    ASSERT_TRUE(result.ok()) << result.error.message;
    const Image& image = *result.image;
    EXPECT_TRUE(image.wide);
    EXPECT_EQ(image.dataOffset, 400u);
    EXPECT_EQ(image.blocks[0].offset, 400u);
    ASSERT_EQ(image.keys.size(), 3u);
    EXPECT_EQ(image.keys[0].index, 62);
    EXPECT_EQ(image.keys[1].index, 128);
    EXPECT_EQ(image.keys[2].index, 176);
    EXPECT_EQ(image.keys[2].slotOffset, 340u);
    EXPECT_EQ(image.keys[2].records[0].program, (Bytes{0x1E, 0x9E}));
}

TEST(ImageReader, ReadsNoWideSlotsInAStandardImage) {
    // Offset 340, the slot of key index 176 in a wide image, lies inside
    // the record of A01 here.
    Bytes bytes = mirkBuilder().key(kA01, {{0, 0x80, 0, Bytes(60, 0x1E)}}).build();
    putWord(bytes, 340, 0x0101);
    const ReadResult result = readImage(bytes);
    ASSERT_TRUE(result.ok()) << result.error.message;
    EXPECT_EQ(result.image->keys.size(), 1u);
}

struct DamageCase {
    const char* name;
    std::function<void(Bytes&)> damage;
    std::size_t offset;
    const char* message;
};

// Each case damages the 335-byte image of twoRecordImage() in one place.
const DamageCase kDamageCases[] = {
    {"bad magic", [](Bytes& b) { b[3] = 'x'; }, 0, "bad magic \"Vyrx\" (expected \"Vyrn\")"},
    {"control byte in magic", [](Bytes& b) { b[0] = 0x01; }, 0, "bad magic \"<01>yrn\" (expected \"Vyrn\")"},
    {"length beyond the file", [](Bytes& b) { putWord(b, 6, 340); }, 335,
     "truncated at offset 335 (header says 340 bytes)"},
    {"length short of the file", [](Bytes& b) { putWord(b, 6, 330); }, 330,
     "file has 335 bytes but the header says 330"},
    {"length inside the header", [](Bytes& b) { putWord(b, 6, 200); }, 6,
     "image length 200 is shorter than the header (304 bytes)"},
    {"chain head into the header", [](Bytes& b) { putWord(b, 302, 100); }, 302,
     "chain head points to offset 100, inside the header"},
    {"chain head one past the end marker", [](Bytes& b) { putWord(b, 302, 303); }, 302,
     "chain head points to offset 303, inside the header"},
    {"chain head past the end", [](Bytes& b) { putWord(b, 302, 400); }, 302,
     "chain head points to offset 400, past the end of the image (335 bytes)"},
    {"block link into the header", [](Bytes& b) { putWord(b, 304, 8); }, 304,
     "link of parameter block 1 points to offset 8, inside the header"},
    {"block link past the end", [](Bytes& b) { putWord(b, 312, 0x1000); }, 312,
     "link of parameter block 2 points to offset 4096, past the end of the image (335 bytes)"},
    {"block chain loops", [](Bytes& b) { putWord(b, 312, 304); }, 304,
     "link of parameter block 2 leads to offset 304, already read as parameter block 1 (the chain loops)"},
    {"block links to itself", [](Bytes& b) { putWord(b, 304, 304); }, 304,
     "link of parameter block 1 leads to offset 304, already read as parameter block 1 (the chain loops)"},
    {"block link into another block", [](Bytes& b) { putWord(b, 312, 308); }, 308,
     "parameter block 0 at offset 308 overlaps parameter block 1 at offset 304"},
    {"block data past the end", [](Bytes& b) { b[315] = 50; }, 312,
     "parameter block 2 at offset 312 runs past the end of the image (ends at 367, image has 335 bytes)"},
    {"block header past the end", [](Bytes& b) { putWord(b, 312, 333); }, 333,
     "parameter block at offset 333 runs past the end of the image (ends at 337, image has 335 bytes)"},
    {"slot into the header", [](Bytes& b) { putWord(b, 8, 288); }, 8,
     "slot of key A01 (index 0) points to offset 288, inside the header"},
    {"slot past the end", [](Bytes& b) { putWord(b, 8, 500); }, 8,
     "slot of key A01 (index 0) points to offset 500, past the end of the image (335 bytes)"},
    {"slot onto a block", [](Bytes& b) { putWord(b, 8, 312); }, 312,
     "slot of key A01 (index 0) leads to offset 312, already read as parameter block 2"},
    {"record link into the header", [](Bytes& b) { putWord(b, 317, 257); }, 317,
     "link of record 1 of key A01 (index 0) points to offset 257, inside the header"},
    {"record link past the end", [](Bytes& b) { putWord(b, 327, 335); }, 327,
     "link of record 2 of key A01 (index 0) points to offset 335, past the end of the image (335 bytes)"},
    {"record chain loops", [](Bytes& b) { putWord(b, 327, 317); }, 317,
     "link of record 2 of key A01 (index 0) leads to offset 317, already read as record 1 of key A01 (index 0) "
     "(the chain loops)"},
    {"record links to itself", [](Bytes& b) { putWord(b, 317, 317); }, 317,
     "link of record 1 of key A01 (index 0) leads to offset 317, already read as record 1 of key A01 (index 0) "
     "(the chain loops)"},
    {"two keys share a record", [](Bytes& b) { putWord(b, 12, 327); }, 327,
     "slot of key A03 (index 2) leads to offset 327, already read as record 2 of key A01 (index 0)"},
    {"record inside another record", [](Bytes& b) { putWord(b, 12, 320); }, 320,
     "record 1 of key A03 (index 2) at offset 320 overlaps record 1 of key A01 (index 0) at offset 317"},
    {"record without its zero", [](Bytes& b) { b[334] = 0xFF; }, 327,
     "record 2 of key A01 (index 0) at offset 327 has no terminating zero before the end of the image (335 bytes)"},
    {"record header past the end", [](Bytes& b) { putWord(b, 12, 332); }, 332,
     "record 1 of key A03 (index 2) at offset 332 runs past the end of the image (ends at 338, image has 335 bytes)"},
};

class DamagedImage : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedImage, IsRefusedWithItsOffsetAndMessage) {
    Bytes bytes = twoRecordImage();
    ASSERT_EQ(bytes.size(), 335u);
    GetParam().damage(bytes);
    const ImageError error = errorOf(bytes);
    EXPECT_EQ(error.message, GetParam().message);
    EXPECT_EQ(error.offset, GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DamagedImage, testing::ValuesIn(kDamageCases),
                         [](const testing::TestParamInfo<DamageCase>& param) {
                             std::string name = param.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

TEST(DamagedImage, AFileShorterThanTheLengthFieldIsTruncated) {
    EXPECT_EQ(errorOf({}).message, "truncated at offset 0 (the header needs 304 bytes)");
    EXPECT_EQ(errorOf({'V', 'y', 'r'}).message, "truncated at offset 3 (the header needs 304 bytes)");
    EXPECT_EQ(errorOf({'V', 'y', 'x'}).message, "bad magic \"Vyx\" (expected \"Vyrn\")");
    EXPECT_EQ(errorOf({'V', 'y', 'r', 'n', 0, 0, 1}).message, "truncated at offset 7 (the header needs 304 bytes)");
}

TEST(DamagedImage, AFileLongerThanAnyImageIsRefused) {
    Bytes bytes = twoRecordImage();
    bytes.resize(0x10000, 0);
    EXPECT_EQ(errorOf(bytes).message, "longer than any image (at most 65535 bytes)");
}

TEST(DamagedImage, AWideModelNeedsTheWideLayout) {
    // Model 12 in a standard layout: block 1 lies where the wide slots are.
    const Bytes longRecord(120, 0x1E);
    Bytes bytes = ImageBuilder().block(1, {12, 0xBF, 0, 0}).key(kA01, {{0, 0x80, 0, longRecord}}).build();
    EXPECT_EQ(errorOf(bytes).message,
              "parameter block 1 at offset 304 lies in the key slots of the wide image (data starts at 400)");

    bytes = ImageBuilder().block(1, {11, 0xBF, 0, 0}).key(kA01, {{0, 0x80, 0, {0x1E}}}).build();
    EXPECT_EQ(errorOf(bytes).message,
              "image length " + std::to_string(bytes.size()) + " is too short for a wide image (400 bytes)");
}

// Without key lines the compiler keeps the standard layout for every model.
TEST(Image, AWideModelWithoutKeysIsAStandardImage) {
    const Bytes bytes = ImageBuilder().block(1, {11, 0xBF, 0, 0}).build();
    const ReadResult result = readImage(bytes);
    ASSERT_TRUE(result.ok()) << result.error.message;
    EXPECT_FALSE(result.image->wide);
}

TEST(DamagedImage, AWideImageNeedsItsMarker) {
    Bytes bytes = tarnBuilder().build();
    bytes[398] = 0;
    const ImageError error = errorOf(bytes);
    EXPECT_EQ(error.message, "wide image marker at offset 398 is 00 2E (expected 01 2E)");
    EXPECT_EQ(error.offset, 398u);
}

TEST(DamagedImage, ASlotOfAWideImageMayNotPointIntoItsKeySlots) {
    Bytes bytes = tarnBuilder().build();
    putWord(bytes, 8, 350);
    EXPECT_EQ(errorOf(bytes).message, "slot of key A01 (index 0) points to offset 350, inside the header");
}

// Every prefix of a valid image is refused as truncated, whatever it holds.
void expectEveryPrefixTruncated(const Bytes& full) {
    for (std::size_t size = 0; size < full.size(); ++size) {
        const Bytes prefix(full.begin(), full.begin() + std::ptrdiff_t(size));
        const ImageError error = errorOf(prefix);
        const std::string expected =
            "truncated at offset " + std::to_string(size) +
            (size < 8 ? " (the header needs 304 bytes)" : " (header says " + std::to_string(full.size()) + " bytes)");
        ASSERT_EQ(error.message, expected);
        ASSERT_EQ(error.offset, size);
    }
}

TEST(DamagedImage, EveryPrefixOfAStandardImageIsTruncated) { expectEveryPrefixTruncated(twoRecordImage()); }

TEST(DamagedImage, EveryPrefixOfAWideImageIsTruncated) {
    expectEveryPrefixTruncated(tarnBuilder().key(176, {{0, 0x80, 0, {0x1E, 0x9E}}}).build());
}

// A changed byte anywhere either still reads or is refused; the printer
// copes with whatever the reader accepts.
TEST(DamagedImage, ChangingAnySingleByteNeverBreaksReaderOrPrinter) {
    const std::uint8_t values[] = {0x00, 0x01, 0x2E, 0x30, 0x7F, 0x80, 0xFF};
    const Bytes images[] = {twoRecordImage(), tarnBuilder().key(176, {{0, 0x80, 0, {0x1E}}}).build()};
    for (const Bytes& original : images) {
        for (std::size_t at = 0; at < original.size(); ++at) {
            for (std::uint8_t value : values) {
                Bytes bytes = original;
                bytes[at] = value;
                const ReadResult result = readImage(bytes);
                if (result.ok()) {
                    EXPECT_FALSE(formatImage(*result.image).empty());
                } else {
                    EXPECT_FALSE(result.error.message.empty());
                    EXPECT_LE(result.error.offset, bytes.size());
                }
            }
        }
    }
}

}  // namespace
}  // namespace kbxdump::test
