#pragma once

#include <cstdint>

#include "compiler/conversion/modifier_state.h"

namespace kbxc {

class KeystrokeWriter;

// Shift modes: the modifier state a code asks for before it is sent.
inline constexpr int kModeNone = 0;
inline constexpr int kModePlain = 1;
inline constexpr int kModeShift = 2;
inline constexpr int kModeControl = 3;
inline constexpr int kModeAlt = 4;
inline constexpr int kModeAltGr = 5;
inline constexpr int kModeSmallLetter = 6;
inline constexpr int kModeCapitalLetter = 7;
inline constexpr int kModeKeypadDigit = 8;
inline constexpr int kModeCapsLock = 9;
inline constexpr int kModeCapsLockShift = 10;
inline constexpr int kModeInverseKeypad = 11;
inline constexpr int kModePressModifier = 20;    // + Modifier: press that key
inline constexpr int kModeReleaseModifier = 30;  // + Modifier: release that key
inline constexpr int kModeReleaseAltGrAndShifts = 99;

constexpr std::uint8_t pressing(Modifier modifier) {
    return static_cast<std::uint8_t>(kModePressModifier + static_cast<int>(modifier));
}

// Presses and releases modifiers (only those whose state differs) until the
// state is what `mode` asks for. Unknown modes do nothing.
void applyShiftMode(KeystrokeWriter& writer, int mode);

}  // namespace kbxc
