#pragma once

#include <cstdint>

// Scan code set 1 bytes the conversion gives a meaning to.
namespace kbxc {

inline constexpr std::uint8_t kBreakBit = 0x80;  // break code = make code | 0x80

inline constexpr std::uint8_t kPrefixE0 = 0xE0;  // extended key
inline constexpr std::uint8_t kPrefixE1 = 0xE1;  // Pause
inline constexpr std::uint8_t kPrefixE2 = 0xE2;  // both
inline constexpr std::uint8_t kFirstPrefixByte = 0xE0;  // prefixes and keyboard commands

inline constexpr std::uint8_t kAltMake = 0x38;
inline constexpr std::uint8_t kCapsLockMake = 0x3A;
inline constexpr std::uint8_t kNumLockMake = 0x45;
inline constexpr std::uint8_t kScrollLockMake = 0x46;

constexpr std::uint8_t breakCode(std::uint8_t make) { return static_cast<std::uint8_t>(make | kBreakBit); }
constexpr bool isBreakCode(std::uint8_t code) { return (code & kBreakBit) != 0; }

}  // namespace kbxc
