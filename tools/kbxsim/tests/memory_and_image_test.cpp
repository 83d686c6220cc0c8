#include <gtest/gtest.h>

#include <vector>

#include "kbxsim/keyboard_memory.h"
#include "tests/support/files.h"
#include "tools/kbxsim/firmware/image_file.h"

namespace kbxsim::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

KeyboardMemory memoryWithLength(std::uint16_t length, std::uint8_t fill) {
    KeyboardMemory memory;
    const Bytes everything(kMemorySize, fill);
    memory.place(0, everything);
    const Bytes lengthField{static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length & 0xFF)};
    memory.place(kImageLengthAddress, lengthField);
    return memory;
}

// Memory filled with 1 except for the keyboard's bytes 0-3 and the length
// field at 6-7: the checksum is the number of 1 bytes summed plus the length
// bytes within the image.
struct LengthCase {
    std::uint16_t length;
    std::uint16_t checksum;
    std::size_t savedEnd;
};

class ImageLength : public testing::TestWithParam<LengthCase> {};

TEST_P(ImageLength, BoundsTheChecksumAndTheSavedImage) {
    const LengthCase& c = GetParam();
    const KeyboardMemory memory = memoryWithLength(c.length, 1);
    EXPECT_EQ(memory.computeChecksum(), c.checksum);
    EXPECT_EQ(memory.savedImageEnd(), c.savedEnd);
}

INSTANTIATE_TEST_SUITE_P(
    KeyboardMemory, ImageLength,
    testing::Values(LengthCase{0, 0, kMemorySize},             // nothing summed; the whole memory saved
                    LengthCase{5, 1, kMemorySize},             // address 4 alone
                    LengthCase{9, 3 + 9, kMemorySize},         // addresses 4, 5, 8 and the length bytes 00 09
                    LengthCase{10, 4 + 10, 10},                // addresses 4, 5, 8, 9 and 00 0A
                    LengthCase{302, 296 + 0x01 + 0x2E, 302},   // a short image
                    LengthCase{8192, 8186 + 0x20, 8192},       // the whole memory
                    LengthCase{0xFFFF, 8186 + 0xFF + 0xFF, 8192}));

TEST(KeyboardMemory, ChecksumWrapsAtSixteenBits) {
    const KeyboardMemory memory = memoryWithLength(8192, 0xFF);
    EXPECT_EQ(memory.computeChecksum(), static_cast<std::uint16_t>(8186 * 0xFF + 0x20));
}

TEST(KeyboardMemory, PlaceKeepsTheFirstFourBytesAndTheEnd) {
    KeyboardMemory memory(0xABCD);
    memory.place(0, Bytes(8, 7));
    memory.place(kMemorySize - 2, Bytes{1, 2, 3, 4});
    EXPECT_EQ(memory.identification(), 0xABCD);
    EXPECT_EQ(memory.checksum(), 0);
    EXPECT_EQ(memory.at(4), 7);
    EXPECT_EQ(memory.at(kMemorySize - 1), 2);
    EXPECT_EQ(memory.hostWritesIn(0, kMemorySize - 1), 0u);
}

Bytes imageOfLength(std::size_t length) {
    Bytes image{'V', 'y', 'r', 'n', 0x00, 0x00, static_cast<std::uint8_t>(length >> 8),
                static_cast<std::uint8_t>(length & 0xFF)};
    for (std::size_t i = image.size(); i < length; ++i) image.push_back(static_cast<std::uint8_t>(i * 7));
    return image;
}

void writeBytes(const std::filesystem::path& path, const Bytes& bytes) {
    kbxtest::writeFile(path, std::string(bytes.begin(), bytes.end()));
}

TEST(ImageFile, LoadedImageSavesAsTheSameFile) {
    kbxtest::TempDir dir;
    const Bytes image = imageOfLength(317);
    writeBytes(dir / "in.kbx", image);

    KeyboardMemory memory;
    ASSERT_EQ(loadImage(dir / "in.kbx", memory), "");
    EXPECT_EQ(memory.identification(), kDefaultIdentification);
    EXPECT_EQ(memory.checksum(), memory.computeChecksum());
    EXPECT_NE(memory.checksum(), 0);
    ASSERT_EQ(saveImage(dir / "out.kbx", memory), "");
    EXPECT_EQ(kbxtest::readBytes(dir / "out.kbx"), image);
}

TEST(ImageFile, SavedImageWithAShortLengthIsTheWholeMemory) {
    kbxtest::TempDir dir;
    KeyboardMemory memory;
    memory.place(4, Bytes{0xAA, 0xBB, 0x00, 0x09});
    ASSERT_EQ(saveImage(dir / "out.kbx", memory), "");
    const auto saved = kbxtest::readBytes(dir / "out.kbx");
    ASSERT_EQ(saved.size(), kMemorySize);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 8), (Bytes{'V', 'y', 'r', 'n', 0xAA, 0xBB, 0x00, 0x09}));
}

TEST(ImageFile, SaveReplacesAnOlderFileAndLeavesNoTemporaryFile) {
    kbxtest::TempDir dir;
    writeBytes(dir / "out.kbx", Bytes(20000, 1));
    KeyboardMemory memory;
    memory.place(4, Bytes{0, 0, 0x00, 0x0A, 1, 2});
    ASSERT_EQ(saveImage(dir / "out.kbx", memory), "");
    EXPECT_EQ(kbxtest::readBytes(dir / "out.kbx"), (Bytes{'V', 'y', 'r', 'n', 0, 0, 0x00, 0x0A, 1, 2}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ImageFile, SaveIntoAMissingFolderFailsWithAMessage) {
    kbxtest::TempDir dir;
    EXPECT_NE(saveImage(dir / "missing" / "out.kbx", KeyboardMemory{}), "");
}

struct BadImage {
    const char* name;
    Bytes bytes;
};

class BadImages : public testing::TestWithParam<BadImage> {};

TEST_P(BadImages, AreNotLoadedAndLeaveTheMemory) {
    kbxtest::TempDir dir;
    writeBytes(dir / "bad.kbx", GetParam().bytes);
    KeyboardMemory memory;
    EXPECT_NE(loadImage(dir / "bad.kbx", memory), "");
    EXPECT_EQ(memory.at(4), 0);
    EXPECT_EQ(memory.checksum(), 0);
}

Bytes withoutMagic() {
    Bytes image = imageOfLength(302);
    image[0] = 'v';
    return image;
}

INSTANTIATE_TEST_SUITE_P(ImageFile, BadImages,
                         testing::Values(BadImage{"Empty", {}}, BadImage{"ShorterThanTheMagic", {'V', 'y', 'r'}},
                                         BadImage{"WrongMagic", withoutMagic()},
                                         BadImage{"LongerThanTheMemory", imageOfLength(kMemorySize + 1)}),
                         [](const testing::TestParamInfo<BadImage>& parameter) { return std::string(parameter.param.name); });

// A folder is refused with the system's reason, not read until the stream
// throws.
TEST(ImageFile, AMissingFileAndAFolderAreReportedWithTheSystemsReason) {
    kbxtest::TempDir dir;
    KeyboardMemory memory;
    EXPECT_EQ(loadImage(dir / "missing.kbx", memory), "cannot open the image: No such file or directory");
    EXPECT_EQ(loadImage(dir.path(), memory), "cannot open the image: Is a directory");
}

TEST(ImageFile, ImageFillingTheMemoryLoads) {
    kbxtest::TempDir dir;
    const Bytes image = imageOfLength(kMemorySize);
    writeBytes(dir / "full.kbx", image);
    KeyboardMemory memory;
    ASSERT_EQ(loadImage(dir / "full.kbx", memory), "");
    EXPECT_EQ(memory.at(kMemorySize - 1), image.back());
    EXPECT_EQ(savedImage(memory), image);
}

}  // namespace
}  // namespace kbxsim::test
