#pragma once

// The national translator: one scan code byte of a module frame (bit 7 set
// for a break) to the character it gives on the language's keyboard, with
// the modifier, lock, prefix, dead-key and Alt-numeric state it keeps.

#include <cstdint>

#include "posfunc/translator/keyboard_state.h"

namespace kbxfunc {

inline constexpr int kLanguageCount = 8;  // 0 US ... 7 Spanish

// The character, or 0 when the code gives none (or only changes the state).
// A language outside 0-7 is taken as US.
std::uint8_t translateScanCode(std::uint8_t code, int language, KeyboardState& keyboard);

}  // namespace kbxfunc
