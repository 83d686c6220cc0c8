#include "tools/kbx32/image_match.h"

#include <algorithm>
#include <cstdint>

namespace kbx32 {
namespace {

// Where the header's fields are; the image file has the same bytes from 4
// on (0-3 are its magic, where the keyboard keeps identification and checksum).
constexpr std::size_t kChecksumHigh = 2;
constexpr std::size_t kChecksumLow = 3;
constexpr std::size_t kFirstImageByte = 4;
constexpr std::size_t kLengthHigh = 6;
constexpr std::size_t kLengthLow = 7;
constexpr int kByteBits = 8;

std::uint16_t wordAt(std::span<const unsigned char> bytes, std::size_t high, std::size_t low) {
    return std::uint16_t(bytes[high] << kByteBits | bytes[low]);
}

}  // namespace

bool keyboardHoldsImage(const KeyboardHeader& header, std::span<const unsigned char> image) {
    if (image.size() < header.size()) return false;
    if (!std::equal(header.begin() + kFirstImageByte, header.end(), image.begin() + kFirstImageByte)) return false;
    const std::size_t length = std::min<std::size_t>(wordAt(image, kLengthHigh, kLengthLow), image.size());
    std::uint16_t sum = 0;
    for (std::size_t at = kFirstImageByte; at < length; ++at) sum = std::uint16_t(sum + image[at]);
    return sum == wordAt(header, kChecksumHigh, kChecksumLow);
}

}  // namespace kbx32
