#include "tools/kbxlayout/template_keys.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "compiler/conversion/character_table_rows.h"
#include "compiler/conversion/character_tables.h"
#include "platform/code_pages.h"
#include "tools/kbxlayout/special_keys.h"
#include "tools/kbxlayout/template_catalogue.h"

namespace kbxlayout {
namespace {

using kbxc::tables::ShiftMode;

constexpr std::uint16_t kNoKey = 0;
constexpr std::uint16_t kSpaceKey = 0x39;
constexpr std::string_view kAltGrCaption = "Alt Gr";

// The typing block, one row per keyboard row from the bottom (Ctrl, Shift,
// Caps, Tab and digits row), each from column 0: the key's make code. The
// position right of the left Shift lies under the wide Shift cap (the
// layout has no key of its own there) and stays without a legend.
constexpr std::size_t kTypingColumns = 14;
constexpr std::array<std::array<std::uint16_t, kTypingColumns>, 5> kTypingBlock{{
    {kLeftControlKey, kLeftAltKey, kSpaceKey, kRightAltKey, kRightControlKey},
    {kLeftShiftKey, kNoKey, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, kRightShiftKey},
    {kLockKey, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x1C},
    {0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x2B},
    {0x29, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E},
}};

constexpr std::array kNormalModes{ShiftMode::kPlain, ShiftMode::kSmall};
constexpr std::array kShiftedModes{ShiftMode::kShift, ShiftMode::kCapital};
// Code page 437 has printable characters below 0x20 too (the section sign);
// control codes are typed with Control and never match the modes asked for.
constexpr unsigned kFirstCharacter = 0x01;
constexpr unsigned kCharacterCount = 256;

bool modeIn(int mode, std::span<const ShiftMode> modes) {
    return std::any_of(modes.begin(), modes.end(), [mode](ShiftMode m) { return m == mode; });
}

// The first character typed with the key itself in one of the modes; else
// the first accent the key types (its accent key followed by Space).
std::optional<unsigned char> typedWith(int table, unsigned makeCode, std::span<const ShiftMode> modes) {
    const kbxc::CharacterTable& characters = kbxc::characterTable(table);
    for (unsigned c = kFirstCharacter; c < kCharacterCount; ++c) {
        const std::uint16_t entry = characters[c];
        if (entry != 0 && kbxc::entryDeadKey(entry) == 0 && kbxc::entryMakeCode(entry) == makeCode &&
            modeIn(kbxc::entryShiftMode(entry), modes)) {
            return static_cast<unsigned char>(c);
        }
    }
    for (unsigned c = kFirstCharacter; c < kCharacterCount; ++c) {
        const std::uint16_t entry = characters[c];
        if (entry == 0 || kbxc::entryDeadKey(entry) == 0 || kbxc::entryMakeCode(entry) != kSpaceKey) continue;
        const auto accent = kbxc::deadKeyString(table, kbxc::entryDeadKey(entry));
        if (accent.size() == 2 && accent[1] == makeCode && modeIn(accent[0], modes)) {
            return static_cast<unsigned char>(c);
        }
    }
    return std::nullopt;
}

// A code page 437 character in the editor's character set; none when it has
// no place there.
std::optional<char> editorCharacter(unsigned char oem) {
    const unsigned char ansi = kbx::platform::oemToAnsi(oem);
    if (kbx::platform::ansiToOem(ansi) != oem) return std::nullopt;
    return static_cast<char>(ansi);
}

std::string escaped(char c, std::string_view special) {
    std::string text;
    if (special.find(c) != std::string_view::npos) text += '\\';
    text += c;
    return text;
}
// Characters a programming text and a legend write with a backslash.
constexpr std::string_view kProgrammingSpecials = "\\{}";
constexpr std::string_view kLegendSpecials = "\\{}|\"";
constexpr std::string_view kLegendLineBreak = "\\line";

std::string programmingOf(std::optional<unsigned char> oem) {
    if (!oem) return {};
    const auto c = editorCharacter(*oem);
    if (!c) return {};
    return escaped(*c, kProgrammingSpecials);
}

// The accents an accent key puts on its legend, in the editor's character
// set, by accent index.
struct AccentLegend {
    kbxc::tables::DeadKey accent;
    char character;
};
constexpr std::array kAccentLegends{
    AccentLegend{kbxc::tables::kGrave, '`'},      AccentLegend{kbxc::tables::kAcute, '\xB4'},
    AccentLegend{kbxc::tables::kCircumflex, '^'}, AccentLegend{kbxc::tables::kDiaeresis, '\xA8'},
    AccentLegend{kbxc::tables::kTilde, '~'},
};

// The accent the key puts on the next letter in one of the modes.
std::optional<char> accentOn(int table, unsigned makeCode, std::span<const ShiftMode> modes) {
    for (const AccentLegend& legend : kAccentLegends) {
        const auto accent = kbxc::deadKeyString(table, legend.accent);
        if (accent.size() == 2 && accent[1] == makeCode && modeIn(accent[0], modes)) return legend.character;
    }
    return std::nullopt;
}

// What the legend shows for one shift state: the character typed, else the
// accent of an accent key.
std::optional<char> legendCharacter(std::optional<unsigned char> typed, int table, unsigned makeCode,
                                    std::span<const ShiftMode> modes) {
    if (typed) return editorCharacter(*typed);
    return accentOn(table, makeCode, modes);
}

// A letter shows its capital; any other key the shifted character above the
// plain one.
std::string legendOf(const TypedCharacters& typed, int table, unsigned makeCode) {
    const auto normal = legendCharacter(typed.normal, table, makeCode, kNormalModes);
    const auto shifted = legendCharacter(typed.shifted, table, makeCode, kShiftedModes);
    const kbxc::CharacterTable& characters = kbxc::characterTable(table);
    const bool letter = typed.normal && typed.shifted && normal && shifted &&
                        kbxc::entryShiftMode(characters[*typed.normal]) == ShiftMode::kSmall &&
                        kbxc::entryShiftMode(characters[*typed.shifted]) == ShiftMode::kCapital;
    if (letter) return std::string(1, *shifted);
    if (normal && shifted) {
        return escaped(*shifted, kLegendSpecials) + std::string(kLegendLineBreak) + escaped(*normal, kLegendSpecials);
    }
    if (normal) return escaped(*normal, kLegendSpecials);
    if (shifted) return escaped(*shifted, kLegendSpecials);
    return {};
}

}  // namespace

TypedCharacters typedCharacters(int characterTable, unsigned makeCode) {
    return {typedWith(characterTable, makeCode, kNormalModes), typedWith(characterTable, makeCode, kShiftedModes)};
}

bool hasAltGr(int characterTable) {
    const kbxc::CharacterTable& characters = kbxc::characterTable(characterTable);
    return std::any_of(characters.begin(), characters.end(), [](std::uint16_t entry) {
        return entry != 0 && kbxc::entryShiftMode(entry) == ShiftMode::kAltGr;
    });
}

std::optional<KeyTexts> typingBlockKeyTexts(const TemplateCountry& country, int column, int row) {
    if (row < 0 || row >= static_cast<int>(kTypingBlock.size()) || column < 0 ||
        column >= static_cast<int>(kTypingColumns)) {
        return std::nullopt;
    }
    const std::uint16_t key = kTypingBlock[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (key == kNoKey) return std::nullopt;
    if (key == kLockKey) {
        return KeyTexts{{}, std::string(country.lockKeyToken), std::string(country.lockKeyToken), {}};
    }
    if (const auto token = modifierMakeToken(key)) {
        std::optional<std::string> caption;
        if (key == kRightAltKey && hasAltGr(country.characterTable)) caption = std::string(kAltGrCaption);
        return KeyTexts{caption, {}, {}, std::string(*token)};
    }
    if (const auto token = keyStrokeToken(key)) return KeyTexts{{}, std::string(*token), std::string(*token), {}};
    const TypedCharacters typed = typedCharacters(country.characterTable, key);
    // A key without a character of its own for Shift types its plain one.
    KeyTexts texts{legendOf(typed, country.characterTable, key), programmingOf(typed.normal),
                   programmingOf(typed.shifted ? typed.shifted : typed.normal), {}};
    // The space bar keeps its blank legend.
    if (key == kSpaceKey) texts.caption.reset();
    return texts;
}

std::string programmingOfLegend(std::string_view legend) {
    std::string text;
    for (char c : legend) text += escaped(c, kProgrammingSpecials);
    return text;
}

}  // namespace kbxlayout
