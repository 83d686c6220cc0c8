#include "kbxsim/hex_text.h"

#include <array>

namespace kbxsim {
namespace {

constexpr std::array<char, 16> kDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                       '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
constexpr unsigned kNibbleMask = 0x0F;
constexpr int kNibbleBits = 4;

}  // namespace

std::optional<std::uint8_t> hexDigitValue(std::uint8_t character) {
    for (std::size_t value = 0; value < kDigits.size(); ++value) {
        if (static_cast<std::uint8_t>(kDigits[value]) == character) return static_cast<std::uint8_t>(value);
    }
    return std::nullopt;
}

char hexDigit(unsigned value) { return kDigits[value & kNibbleMask]; }

std::string hexByte(std::uint8_t byte) { return {hexDigit(unsigned{byte} >> kNibbleBits), hexDigit(byte)}; }

std::string replyText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(2 * bytes.size() + 2);
    NibbleSum sum;
    for (const std::uint8_t value : bytes) {
        for (const unsigned digit : {unsigned{value} >> kNibbleBits, value & kNibbleMask}) {
            text.push_back(hexDigit(digit));
            sum.add(static_cast<std::uint8_t>(digit));
        }
    }
    text.push_back(hexDigit(sum.highDigit()));
    text.push_back(hexDigit(sum.lowDigit()));
    return text;
}

}  // namespace kbxsim
