#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kbxc {

// Languages in the order of the LANG directive's list; the index selects the
// character table.
enum Language : int { kUS, kGR, kFR, kUK, kSG, kSF, kIT, kSP, kLanguageCount };

// Entry per code page 437 character: 0 when the national keyboard cannot
// type it, else (dead-key index << 12) | (shift mode << 8) | make code.
using CharacterTable = std::array<std::uint16_t, 256>;

const CharacterTable& characterTable(int language);

// The accent key typed before a character: first byte a shift mode, then the
// make codes. Empty for an index the language does not have (valid: 1-7).
std::span<const std::uint8_t> deadKeyString(int language, int index);

inline constexpr std::uint8_t entryMakeCode(std::uint16_t entry) {
    return static_cast<std::uint8_t>(entry & 0xFF);
}
inline constexpr int entryShiftMode(std::uint16_t entry) { return (entry >> 8) & 0x0F; }
inline constexpr int entryDeadKey(std::uint16_t entry) { return (entry >> 12) & 0x0F; }

}  // namespace kbxc
