#pragma once

// Dead keys: the seven slots of each language (which key, with which
// modifiers, is the accent of each slot) and the compositions of each slot,
// shared by every language.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "posfunc/translator/language.h"

namespace kbxfunc {

inline constexpr std::size_t kDeadKeySlots = 7;

// A slot holds the make code, plus these when the modifier must be held.
inline constexpr std::uint32_t kDeadKeyShift = 0x100;
inline constexpr std::uint32_t kDeadKeyAltGr = 0x800;
inline constexpr std::uint32_t kEmptyDeadKeySlot = 0xFFFF;

constexpr std::uint32_t deadKeySlotValue(std::uint8_t makeCode, bool shift, bool altGr) {
    return makeCode | (shift ? kDeadKeyShift : 0u) | (altGr ? kDeadKeyAltGr : 0u);
}

// The slot values 0-6 of the language.
std::span<const std::uint32_t, kDeadKeySlots> deadKeySlotsOf(Language language);

// The slot 0-6 whose key is this make code with these modifiers, if any.
std::optional<std::uint8_t> findDeadKeySlot(Language language, std::uint8_t makeCode, bool shift, bool altGr);

// The character that the slot's accent and the base character make, or
// nothing when the accent does not combine with it (or the slot is not 0-6).
std::optional<std::uint8_t> composeWithDeadKey(std::uint8_t slot, std::uint8_t base);

}  // namespace kbxfunc
