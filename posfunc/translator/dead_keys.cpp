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

// Slots 0-6: grave, acute, circumflex, diaeresis, tilde, cedilla, ring.
// The accent followed by a space gives the accent alone.
constexpr std::array<Composition, 6> kGrave{{
    {0x61, 0x2D}, {0x65, 0xA6}, {0x69, 0x5F}, {0x6F, 0x5F}, {0x75, 0x2B}, {0x20, 0x60},
}};
constexpr std::array<Composition, 7> kAcute{{
    {0x61, 0x5F}, {0x65, 0x2B}, {0x69, 0xAA}, {0x6F, 0xD1}, {0x75, 0x2B}, {0x45, 0x2B}, {0x20, 0x27},
}};
constexpr std::array<Composition, 6> kCircumflex{{
    {0x61, 0x2B}, {0x65, 0x5F}, {0x69, 0x2B}, {0x6F, 0x2D}, {0x75, 0xAA}, {0x20, 0x5E},
}};
constexpr std::array<Composition, 10> kDiaeresis{{
    {0x61, 0xBA}, {0x65, 0x2B}, {0x69, 0xAA}, {0x6F, 0xA9}, {0x75, 0xAA}, {0x79, 0x20},
    {0x41, 0x2D}, {0x4F, 0x2D}, {0x55, 0x5F}, {0x20, 0x2B},
}};
constexpr std::array<Composition, 3> kTilde{{
    {0x6E, 0x5F}, {0x4E, 0xAD}, {0x20, 0x7E},
}};
constexpr std::array<Composition, 2> kCedilla{{
    {0x63, 0x5F}, {0x43, 0x2B},
}};
constexpr std::array<Composition, 3> kRing{{
    {0x61, 0x69}, {0x41, 0x2B}, {0x20, 0x5F},
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
