#include "posfunc/translator/altgr_lists.h"

#include <array>
#include <span>

namespace kbxfunc {
namespace {

struct AltGrKey {
    std::uint8_t makeCode;
    std::uint8_t character;
};

inline constexpr std::size_t kMaxAltGrKeys = 12;

// The characters are Windows-1252 codes, as every other module character.
constexpr std::array<AltGrKey, 11> kGerman{{
    {0x03, 0xB2}, {0x04, 0xB3}, {0x08, 0x7B}, {0x09, 0x5B}, {0x0A, 0x5D}, {0x0B, 0x7D},
    {0x0C, 0x5C}, {0x10, 0x40}, {0x1B, 0x7E}, {0x56, 0x7C}, {0x32, 0xB5},
}};
constexpr std::array<AltGrKey, 12> kFrench{{
    {0x03, 0x7E}, {0x04, 0x23}, {0x05, 0x7B}, {0x06, 0x5B}, {0x07, 0x7C}, {0x08, 0x60},
    {0x09, 0x5C}, {0x0A, 0x5E}, {0x0B, 0x40}, {0x0C, 0x5D}, {0x0D, 0x7D}, {0x1B, 0x24},
}};
constexpr std::array<AltGrKey, 1> kUnitedKingdom{{
    {0x29, 0xA6},
}};
// Both Swiss keyboards.
constexpr std::array<AltGrKey, 11> kSwiss{{
    {0x02, 0x7C}, {0x03, 0x40}, {0x04, 0x23}, {0x07, 0xAC}, {0x08, 0x7C}, {0x09, 0xA2},
    {0x1A, 0x5B}, {0x1B, 0x5D}, {0x28, 0x7B}, {0x2B, 0x7D}, {0x56, 0x5C},
}};
constexpr std::array<AltGrKey, 4> kItalian{{
    {0x1A, 0x5B}, {0x1B, 0x5D}, {0x27, 0x40}, {0x28, 0x23},
}};
constexpr std::array<AltGrKey, 10> kSpanish{{
    {0x29, 0x5C}, {0x02, 0x7C}, {0x03, 0x40}, {0x04, 0x23}, {0x05, 0x7E}, {0x07, 0xAC},
    {0x1A, 0x5B}, {0x1B, 0x5D}, {0x28, 0x7B}, {0x2B, 0x7D},
}};

constexpr std::array<std::span<const AltGrKey>, kLanguages> kLists{
    std::span<const AltGrKey>{}, kGerman, kFrench, kUnitedKingdom, kSwiss, kSwiss, kItalian, kSpanish,
};

consteval bool listsFit() {
    for (const auto& list : kLists)
        if (list.size() > kMaxAltGrKeys) return false;
    return true;
}
static_assert(listsFit(), "an AltGr list holds at most 12 keys");

}  // namespace

bool hasAltGrList(Language language) { return !kLists[languageIndex(language)].empty(); }

std::optional<std::uint8_t> altGrCharacter(Language language, std::uint8_t makeCode) {
    for (const AltGrKey& key : kLists[languageIndex(language)])
        if (key.makeCode == makeCode) return key.character;
    return std::nullopt;
}

}  // namespace kbxfunc
