#include "tools/kbxsim/tests/frames.h"

#include <array>
#include <cstdio>

namespace kbxsim::test {
namespace {

constexpr std::uint8_t kPrefix = 0xEF;
constexpr std::uint8_t kWrite = 0x0F;
constexpr std::uint8_t kRead = 0x0E;

int digitValue(char digit) { return digit <= '9' ? digit - '0' : digit - 'A' + 10; }

Bytes frame(std::uint8_t command, const std::string& digits) {
    Bytes bytes;
    bytes.reserve(2 + digits.size());
    bytes.push_back(kPrefix);
    bytes.push_back(command);
    for (const char digit : digits) bytes.push_back(static_cast<std::uint8_t>(digit));
    return bytes;
}

std::string header(std::uint16_t address, std::size_t count) {
    const std::string digits = hexDigits(address, 4) + hexDigits(static_cast<unsigned>(count), 2);
    return digits + nibbleChecksum(digits);
}

}  // namespace

std::string hexDigits(unsigned value, int digits) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%0*X", digits, value);
    return text.data();
}

std::string nibbleChecksum(const std::string& digits) {
    unsigned sum = 0;
    for (const char digit : digits) sum += static_cast<unsigned>(digitValue(digit));
    return hexDigits(sum % 256, 2);
}

Bytes writeFrame(std::uint16_t address, const Bytes& data) {
    std::string dataDigits;
    for (const std::uint8_t byte : data) dataDigits += hexDigits(byte, 2);
    return frame(kWrite, header(address, data.size()) + dataDigits + nibbleChecksum(dataDigits));
}

Bytes readFrame(std::uint16_t address, std::uint8_t count) { return frame(kRead, header(address, count)); }

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace kbxsim::test
