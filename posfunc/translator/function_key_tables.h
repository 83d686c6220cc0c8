#pragma once

// The tables every language shares: the keys from F1 (0x3B) to 0x59 without
// and with Shift, and the keys that come after the prefix 0xE0.

#include <cstdint>
#include <optional>

namespace kbxfunc {

// The character of a make code 0x3B-0x59 from the unshifted or the shifted
// table; 0 for any other code and for keys that give none.
std::uint8_t functionKeyCharacter(std::uint8_t makeCode, bool shifted);

// The digit 0-9 of a numeric pad key (0x47-0x52), as its unshifted character
// reads, or nothing for any other key.
std::optional<std::uint8_t> numericPadDigit(std::uint8_t makeCode);

// The character of a key sent after 0xE0 (0 for the right Control and AltGr),
// or nothing when the key is not one of them.
std::optional<std::uint8_t> extendedKeyCharacter(std::uint8_t makeCode);

}  // namespace kbxfunc
