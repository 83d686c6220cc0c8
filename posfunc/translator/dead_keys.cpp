#include "posfunc/translator/dead_keys.h"

#include <array>
#include <span>

namespace kbxfunc {
namespace {

using Slots = std::array<std::uint32_t, kDeadKeySlots>;
constexpr std::uint32_t kEmpty = kEmptyDeadKeySlot;

constexpr Slots kNoDeadKeys{kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty};
constexpr Slots kGerman{0x10D, 0x00D, 0x029, kEmpty, kEmpty, kEmpty, kEmpty};
constexpr Slots kFrench{kEmpty, kEmpty, 0x01A, 0x11A, kEmpty, kEmpty, kEmpty};
constexpr Slots kSwiss{0x10D, 0x80C, 0x00D, 0x01B, 0x80D, kEmpty, kEmpty};
constexpr Slots kSpanish{0x01A, 0x028, 0x11A, 0x128, kEmpty, kEmpty, kEmpty};

constexpr std::array<const Slots*, kLanguages> kSlotsByLanguage{
    &kNoDeadKeys, &kGerman, &kFrench, &kNoDeadKeys, &kSwiss, &kSwiss, &kNoDeadKeys, &kSpanish,
};

struct Composition {
    std::uint8_t base;
    std::uint8_t result;
};

// Slots 0-6: grave, acute, circumflex, diaeresis, tilde, cedilla, ring. The
// composed characters are Windows-1252, as every other character of a
// module text. The accent followed by a space gives the accent alone.
constexpr std::array<Composition, 6> kGrave{{
    {'a', 0xE0}, {'e', 0xE8}, {'i', 0xEC}, {'o', 0xF2}, {'u', 0xF9}, {' ', '`'},
}};
constexpr std::array<Composition, 7> kAcute{{
    {'a', 0xE1}, {'e', 0xE9}, {'i', 0xED}, {'o', 0xF3}, {'u', 0xFA}, {'E', 0xC9}, {' ', '\''},
}};
constexpr std::array<Composition, 6> kCircumflex{{
    {'a', 0xE2}, {'e', 0xEA}, {'i', 0xEE}, {'o', 0xF4}, {'u', 0xFB}, {' ', '^'},
}};
constexpr std::array<Composition, 10> kDiaeresis{{
    {'a', 0xE4}, {'e', 0xEB}, {'i', 0xEF}, {'o', 0xF6}, {'u', 0xFC}, {'y', 0xFF},
    {'A', 0xC4}, {'O', 0xD6}, {'U', 0xDC}, {' ', 0xA8},
}};
constexpr std::array<Composition, 3> kTilde{{
    {'n', 0xF1}, {'N', 0xD1}, {' ', '~'},
}};
constexpr std::array<Composition, 2> kCedilla{{
    {'c', 0xE7}, {'C', 0xC7},
}};
constexpr std::array<Composition, 3> kRing{{
    {'a', 0xE5}, {'A', 0xC5}, {' ', 0xB0},
}};

constexpr std::array<std::span<const Composition>, kDeadKeySlots> kCompositions{
    kGrave, kAcute, kCircumflex, kDiaeresis, kTilde, kCedilla, kRing,
};

}  // namespace

std::span<const std::uint32_t, kDeadKeySlots> deadKeySlotsOf(Language language) {
    return *kSlotsByLanguage[languageIndex(language)];
}

std::optional<std::uint8_t> findDeadKeySlot(Language language, std::uint8_t makeCode, bool shift, bool altGr) {
    const std::uint32_t wanted = deadKeySlotValue(makeCode, shift, altGr);
    const Slots& slots = *kSlotsByLanguage[languageIndex(language)];
    for (std::size_t slot = 0; slot < slots.size(); ++slot)
        if (slots[slot] == wanted) return static_cast<std::uint8_t>(slot);
    return std::nullopt;
}

std::optional<std::uint8_t> composeWithDeadKey(std::uint8_t slot, std::uint8_t base) {
    if (slot >= kDeadKeySlots) return std::nullopt;
    for (const Composition& composition : kCompositions[slot])
        if (composition.base == base) return composition.result;
    return std::nullopt;
}

}  // namespace kbxfunc
