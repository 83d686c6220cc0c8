#pragma once

// The Linux key codes of set-1 scan codes, as the kernel's AT keyboard
// driver assigns them by default to a keyboard behind a translating
// keyboard controller (every PC keyboard port). The driver numbers a scan
// code as it reports it in MSC_SCAN: the make code, with 0x80 added for
// one that follows 0xE0.

#include <cstdint>
#include <optional>

namespace kbx::platform {

// The set-1 make code of a key and whether it is 0xE0-prefixed.
struct SetOneCode {
    std::uint8_t scanCode = 0;
    bool extended = false;
    bool operator==(const SetOneCode&) const = default;
};

inline constexpr std::uint8_t kExtendedScanIndexBit = 0x80;
inline constexpr std::uint8_t kHighestSetOneMake = 0x7F;

// The driver's number of a set-1 code and back.
constexpr std::uint8_t scanIndexOf(SetOneCode code) {
    return std::uint8_t(code.scanCode | (code.extended ? kExtendedScanIndexBit : 0));
}
constexpr SetOneCode setOneCodeOfIndex(std::uint8_t index) {
    return {std::uint8_t(index & kHighestSetOneMake), (index & kExtendedScanIndexBit) != 0};
}

// The key code the driver gives a scan code by default; 0 for one it knows
// no key for (it then reports the scan code alone) and for the keyboard's
// own Shift codes around cursor keys (it reports nothing for those).
std::uint16_t defaultLinuxKeyOf(SetOneCode code);

// The set-1 code an ordinary keyboard sends for a Linux key code: the main
// block first, then the extended keys, then the keys above 0x53 (so Print
// Screen is E0 37, not the 0x54 it sends with Alt); nothing for keys
// without one.
std::optional<SetOneCode> setOneCodeOfKey(std::uint16_t linuxKey);

}  // namespace kbx::platform
