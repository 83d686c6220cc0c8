#pragma once

#include <cstdint>
#include <span>
#include <string>

// Small text forms shared by the dump and its messages.
namespace kbxdump {

// Two upper-case hex digits: "1E".
std::string hexByte(std::uint8_t value);

// Hex pairs separated by blanks: "1E 9E 00"; empty for no bytes.
std::string hexBytes(std::span<const std::uint8_t> bytes);

// The bytes in double quotes; printable characters as they are, every other
// byte and the characters '"' and '<' as "<01>" style hex, so that the text
// reads back unambiguously.
std::string quotedText(std::span<const std::uint8_t> bytes);

}  // namespace kbxdump
