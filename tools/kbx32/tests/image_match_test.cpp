#include "tools/kbx32/image_match.h"

#include <gtest/gtest.h>

#include <vector>

namespace kbx32 {
namespace {

// "Vyrn", language 0x10, serial 0, length 10, two bytes of keys.
const std::vector<unsigned char> kImage{'V', 'y', 'r', 'n', 0x10, 0x00, 0x00, 0x0A, 0x1E, 0x9E};
// Identification 56 31, the checksum of bytes 4-9, then the image's bytes 4-7.
const KeyboardHeader kHolding{0x56, 0x31, 0x00, 0xD6, 0x10, 0x00, 0x00, 0x0A};

TEST(ImageMatch, TheHeaderOfTheSameImageMatches) { EXPECT_TRUE(keyboardHoldsImage(kHolding, kImage)); }

TEST(ImageMatch, AnyDifferenceInLanguageSerialLengthOrChecksumIsAnotherImage) {
    for (const std::size_t field : {2u, 3u, 4u, 5u, 6u, 7u}) {
        KeyboardHeader other = kHolding;
        other[field] ^= 0x01;
        EXPECT_FALSE(keyboardHoldsImage(other, kImage)) << "byte " << field;
    }
    KeyboardHeader otherFirmware = kHolding;
    otherFirmware[0] = 0x12;
    EXPECT_TRUE(keyboardHoldsImage(otherFirmware, kImage)) << "the identification is the firmware's, not the image's";
    EXPECT_FALSE(keyboardHoldsImage(kHolding, std::vector<unsigned char>(kImage.begin(), kImage.begin() + 6)));
}

}  // namespace
}  // namespace kbx32
