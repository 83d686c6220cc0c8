#pragma once

// Set-1 scan codes and status bytes the translator gives a meaning to.

#include <cstdint>

namespace kbxfunc::scan {

inline constexpr std::uint8_t kBreakBit = 0x80;
inline constexpr std::uint8_t kMakeMask = 0x7F;

// Bytes the keyboard sends besides key codes (and besides its answers to the
// host's bytes, kbx::protocol::kAcknowledge and kResend).
inline constexpr std::uint8_t kPrefixE0 = 0xE0;
inline constexpr std::uint8_t kPrefixE1 = 0xE1;
inline constexpr std::uint8_t kOverrun = 0xFF;

// Keys.
inline constexpr std::uint8_t kNoKey = 0x00;
inline constexpr std::uint8_t kControl = 0x1D;
inline constexpr std::uint8_t kLeftShift = 0x2A;
inline constexpr std::uint8_t kRightShift = 0x36;
inline constexpr std::uint8_t kAlt = 0x38;
inline constexpr std::uint8_t kCapsLock = 0x3A;
inline constexpr std::uint8_t kFirstFunctionKey = 0x3B;  // F1: from here on the shared tables
inline constexpr std::uint8_t kNumLock = 0x45;
inline constexpr std::uint8_t kScrollLock = 0x46;  // Break after 0xE0
inline constexpr std::uint8_t kSysRq = 0x54;
inline constexpr std::uint8_t kExtraKey = 0x56;     // left of Z on 102-key keyboards
inline constexpr std::uint8_t kLastTableKey = 0x59;  // above it no key gives a character

constexpr bool isBreak(std::uint8_t code) { return (code & kBreakBit) != 0; }
constexpr std::uint8_t makeCodeOf(std::uint8_t code) { return static_cast<std::uint8_t>(code & kMakeMask); }

}  // namespace kbxfunc::scan
