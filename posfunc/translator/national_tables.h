#pragma once

// The national character tables: for each language the characters of the
// keys with make codes 0x00-0x3B, without modifier, with Shift and with
// Caps Lock, and the keys whose Caps Lock characters are fixed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "posfunc/translator/language.h"
#include "posfunc/translator/scan_codes.h"

namespace kbxfunc {

inline constexpr std::size_t kCharacterTableSize = 60;  // make codes 0x00-0x3B
inline constexpr std::uint8_t kNoCharacter = 0xFF;

// Indexed by make code; index 0 holds the extra key 0x56 (no key sends 0x00).
using CharacterTable = std::array<std::uint8_t, kCharacterTableSize>;

// A key that gives the same characters with Caps Lock on, whatever its
// table entries say.
struct FixedCapsLockKey {
    std::uint8_t makeCode;
    std::uint8_t plain;    // without Shift
    std::uint8_t shifted;  // with Shift
};

struct NationalTables {
    CharacterTable normal;
    CharacterTable shift;
    CharacterTable capsLock;
    std::span<const FixedCapsLockKey> fixedCapsLockKeys;
};

const NationalTables& nationalTables(Language language);

// The table index of a make code below 0x3B or of the extra key 0x56.
constexpr std::size_t characterTableIndex(std::uint8_t makeCode) {
    return makeCode == scan::kExtraKey ? 0 : makeCode;
}

}  // namespace kbxfunc
