#include "posfunc/translator/control_codes.h"

#include <array>
#include <span>

#include "posfunc/translator/national_tables.h"

namespace kbxfunc {
namespace {

struct ControlKey {
    std::uint8_t makeCode;
    std::uint8_t code;
};

// The French keyboard's own control codes: three keys of the digit row give
// RS, FS and US and the others none, Backspace gives Delete, the two keys
// right of P give ESC and GS, Enter gives line feed.
constexpr std::array<ControlKey, 16> kFrenchKeys{{
    {0x02, 0}, {0x03, 0}, {0x04, 0}, {0x05, 0}, {0x06, 0}, {0x08, 0}, {0x0A, 0}, {0x0B, 0},
    {0x0C, 0}, {0x07, 0x1E}, {0x09, 0x1C}, {0x0D, 0x1F}, {0x0E, 0x7F}, {0x1A, 0x1B}, {0x1B, 0x1D},
    {0x1C, 0x0A},
}};

constexpr std::array<std::span<const ControlKey>, kLanguages> kKeysByLanguage{
    std::span<const ControlKey>{}, std::span<const ControlKey>{}, kFrenchKeys,
};

struct ControlCharacter {
    std::uint8_t character;
    std::uint8_t code;
};

// Characters below 0x40 that have a control code; from 0x40 on a character
// gives its low five bits.
constexpr std::array<ControlCharacter, 5> kControlCharacters{{
    {0x08, 0x7F},  // Backspace gives Delete
    {0x0D, 0x0A},  // Enter gives line feed
    {'-', 0x1F},
    {'6', 0x1E},
    {'2', 0x00},
}};
constexpr std::uint8_t kFirstLetterLike = 0x40;
constexpr std::uint8_t kControlBits = 0x1F;

std::uint8_t controlCodeOfCharacter(std::uint8_t character) {
    if (character == kNoCharacter) return 0;
    if (character >= kFirstLetterLike) return static_cast<std::uint8_t>(character & kControlBits);
    for (const ControlCharacter& entry : kControlCharacters)
        if (entry.character == character) return entry.code;
    return 0;
}

}  // namespace

std::uint8_t controlCharacter(Language language, std::uint8_t makeCode) {
    for (const ControlKey& key : kKeysByLanguage[languageIndex(language)])
        if (key.makeCode == makeCode) return key.code;
    if (makeCode == scan::kNoKey || makeCode >= scan::kFirstFunctionKey) return 0;
    return controlCodeOfCharacter(nationalTables(language).normal[makeCode]);
}

}  // namespace kbxfunc
