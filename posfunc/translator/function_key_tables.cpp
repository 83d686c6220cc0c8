#include "posfunc/translator/function_key_tables.h"

#include <array>
#include <cstddef>

#include "posfunc/translator/scan_codes.h"

namespace kbxfunc {
namespace {

constexpr std::size_t kFunctionKeyTableSize = scan::kLastTableKey - scan::kFirstFunctionKey + 1;
using FunctionKeyTable = std::array<std::uint8_t, kFunctionKeyTableSize>;

// 0x3B-0x44 F1-F10, 0x45 Num Lock, 0x46 Scroll Lock, 0x47-0x53 the numeric
// pad (7 8 9 - 4 5 6 + 1 2 3 0 .), 0x54-0x56, 0x57 F11, 0x58 F12, 0x59.
constexpr FunctionKeyTable kUnshifted{
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9,
    0, 0,
    '7', '8', '9', '-', '4', '5', '6', '+', '1', '2', '3', '0', '.',
    0, 0, 0,
    0xCA, 0xCB,
    0,
};
// With Shift the numeric pad gives the codes of the cursor keys.
constexpr FunctionKeyTable kShifted{
    0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9,
    0, 0,
    0xE7, 0xE8, 0xE9, '-', 0xE4, 0xE5, 0xE6, '+', 0xE1, 0xE2, 0xE3, 0xE0, 0x7F,
    0, 0, 0,
    0xDA, 0xDB,
    0,
};
static_assert(kUnshifted[0x47 - scan::kFirstFunctionKey] == '7' && kUnshifted[0x57 - scan::kFirstFunctionKey] == 0xCA);
static_assert(kShifted[0x53 - scan::kFirstFunctionKey] == 0x7F && kShifted[0x58 - scan::kFirstFunctionKey] == 0xDB);

constexpr std::uint8_t kFirstPadKey = 0x47;
constexpr std::uint8_t kLastPadDigitKey = 0x52;

struct ExtendedKey {
    std::uint8_t makeCode;
    std::uint8_t character;
};

// Keypad Enter, right Control, keypad "/", Print Screen, AltGr, then Home,
// Up, Page Up, Left, Right, End, Down, Page Down, Insert and Delete.
constexpr std::array<ExtendedKey, 15> kExtendedKeys{{
    {0x1C, 0x0D}, {0x1D, 0}, {0x35, '/'}, {0x37, 0xEB}, {0x38, 0}, {0x47, 0xE7}, {0x48, 0xE8}, {0x49, 0xE9},
    {0x4B, 0xE4}, {0x4D, 0xE6}, {0x4F, 0xE1}, {0x50, 0xE2}, {0x51, 0xE3}, {0x52, 0xE0}, {0x53, 0x7F},
}};

}  // namespace

std::uint8_t functionKeyCharacter(std::uint8_t makeCode, bool shifted) {
    if (makeCode < scan::kFirstFunctionKey || makeCode > scan::kLastTableKey) return 0;
    const std::size_t index = makeCode - scan::kFirstFunctionKey;
    return shifted ? kShifted[index] : kUnshifted[index];
}

std::optional<std::uint8_t> numericPadDigit(std::uint8_t makeCode) {
    if (makeCode < kFirstPadKey || makeCode > kLastPadDigitKey) return std::nullopt;
    const std::uint8_t character = functionKeyCharacter(makeCode, false);
    if (character < '0' || character > '9') return std::nullopt;
    return static_cast<std::uint8_t>(character - '0');
}

std::optional<std::uint8_t> extendedKeyCharacter(std::uint8_t makeCode) {
    for (const ExtendedKey& key : kExtendedKeys)
        if (key.makeCode == makeCode) return key.character;
    return std::nullopt;
}

}  // namespace kbxfunc
