#pragma once

// The parts of a key event's key data that the hook procedure decides on.

#include <cstdint>

#include "platform/channel_protocol.h"

namespace kbxfunc {

using kbx::platform::channel::scanCodeOf;

inline constexpr std::uint32_t bit(int n) { return std::uint32_t(1) << n; }

// A frame marker must be a plain key-down: not extended (24), none of the
// reserved bits 25, 26, 28, Alt not held (29), not a key-up (31). The repeat
// bit (30) does not matter.
inline constexpr std::uint32_t kMarkerExcludedBits = bit(24) | bit(25) | bit(26) | bit(28) | bit(29) | bit(31);
// Captured codes come from plain key-downs; Alt may be held. Frame
// characters come from key-downs, extended ones included.
inline constexpr std::uint32_t kPlainKeyDownExcludedBits = bit(24) | bit(25) | bit(26) | bit(28) | bit(31);
inline constexpr std::uint32_t kFrameKeyDownExcludedBits = bit(25) | bit(26) | bit(28) | bit(31);
inline constexpr std::uint8_t kExtendedPrefix = 0xE0;

inline constexpr std::uint8_t kFirstMarker = 0x62;
inline constexpr std::uint8_t kLastMarker = 0x67;
inline constexpr int kMarkerOffset = 0x61;  // marker = module code + this

inline constexpr std::uint8_t kControlScanCode = 0x1D;
inline constexpr std::uint8_t kLeftShiftScanCode = 0x2A;
inline constexpr std::uint8_t kRightShiftScanCode = 0x36;
inline constexpr std::uint8_t kAltScanCode = 0x38;
inline constexpr std::uint8_t kBreakBit = 0x80;  // added to a scan code for the translator

inline bool isKeyUp(std::uint32_t keyData) { return (keyData & kbx::platform::channel::kKeyUpBit) != 0; }
inline bool isFrameMarkerEvent(std::uint32_t keyData) {
    const std::uint8_t code = scanCodeOf(keyData);
    return (keyData & kMarkerExcludedBits) == 0 && code >= kFirstMarker && code <= kLastMarker;
}
inline bool isPlainKeyDown(std::uint32_t keyData) { return (keyData & kPlainKeyDownExcludedBits) == 0; }
inline bool isFrameKeyDown(std::uint32_t keyData) { return (keyData & kFrameKeyDownExcludedBits) == 0; }
inline bool isExtendedKey(std::uint32_t keyData) { return (keyData & kbx::platform::channel::kExtendedBit) != 0; }

}  // namespace kbxfunc
