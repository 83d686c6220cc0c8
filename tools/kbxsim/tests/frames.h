#pragma once

// Frames as the host sends them, built the way the interface library builds
// them, for feeding the simulated keyboard in tests.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kbxsim::test {

using Bytes = std::vector<std::uint8_t>;

// "0F" etc.: the hex digits of `value`, `digits` long, upper case.
std::string hexDigits(unsigned value, int digits);

// The two digits of the nibble checksum of `digits`.
std::string nibbleChecksum(const std::string& digits);

Bytes writeFrame(std::uint16_t address, const Bytes& data);
Bytes readFrame(std::uint16_t address, std::uint8_t count);

// Bytes of a text, for comparing with what the keyboard sent.
Bytes bytesOf(const std::string& text);

}  // namespace kbxsim::test
