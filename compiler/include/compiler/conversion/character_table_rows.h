#pragma once

// Building blocks of the national character tables: each language writes its
// keyboard as rows of {character, key, shift mode, dead key}, and the table
// of 256 entries is built from them at compile time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "compiler/conversion/character_tables.h"

namespace kbxc::tables {

// Shift modes a character entry can ask for.
enum ShiftMode : std::uint8_t {
    kPlain = 1,
    kShift = 2,
    kControl = 3,
    kAltGr = 5,
    kSmall = 6,           // small letter: Shift only while CapsLock is on
    kCapital = 7,         // capital letter: Shift unless CapsLock is on
    kCapsLock = 9,        // the key's CapsLock character (Swiss keyboards)
    kCapsLockShift = 10,  // the key's CapsLock character with Shift
};

// Accent keys. Every language keeps the same index for the same accent, so
// a row reads alike on every keyboard that has the accent; a language
// without that accent key leaves its string empty.
enum DeadKey : std::uint8_t {
    kNoDeadKey = 0,
    kGrave = 1,
    kAcute = 2,
    kCircumflex = 3,
    kDiaeresis = 4,
    kTilde = 5,
};

inline constexpr int kDeadKeyCount = 7;  // valid indexes 1-7

struct CharacterRow {
    std::uint8_t character;  // code page 437
    std::uint8_t makeCode;   // scan code set 1
    ShiftMode shiftMode;
    DeadKey deadKey = kNoDeadKey;
};

// The make codes of the keys carrying the letters a to z, in that order. A
// letter is typed as small (mode 6) and capital (mode 7) letter on its key,
// and Control with the key gives the control code of the letter.
using LetterKeys = std::array<std::uint8_t, 26>;

//                                      a     b     c     d     e     f     g     h     i
inline constexpr LetterKeys kQwerty{0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
//                                      j     k     l     m     n     o     p     q     r
                                    0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
//                                      s     t     u     v     w     x     y     z
                                    0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
// y and z change places.
inline constexpr LetterKeys kQwertz{0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                    0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                    0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x2C, 0x15};
// a and q, z and w change places; m moves to the right of l.
inline constexpr LetterKeys kAzerty{0x10, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                    0x24, 0x25, 0x26, 0x27, 0x31, 0x18, 0x19, 0x1E, 0x13,
                                    0x1F, 0x14, 0x16, 0x2F, 0x2C, 0x2D, 0x15, 0x11};

// Rows every language shares. The control codes that are not letters go by
// key position, as the keyboard's Control translation does on every
// national layout: NUL on the 2 key, ESC 27 and GS 29 on the two keys right
// of P, FS 28 on the key above Enter (left of it on 102-key boards), RS 30 on
// the 6 key and US 31 on the key right of 0.
inline constexpr std::array<CharacterRow, 10> kCommonRows{{
    {0x00, 0x03, kControl},
    {0x08, 0x0E, kPlain},  // Backspace
    {0x09, 0x0F, kPlain},  // Tab
    {0x0D, 0x1C, kPlain},  // Enter
    {0x1B, 0x1A, kControl},
    {0x1C, 0x2B, kControl},
    {0x1D, 0x1B, kControl},
    {0x1E, 0x07, kControl},
    {0x1F, 0x0C, kControl},
    {' ', 0x39, kPlain},
}};

constexpr std::uint16_t encodeEntry(const CharacterRow& row) {
    return static_cast<std::uint16_t>((row.deadKey << 12) | (row.shiftMode << 8) | row.makeCode);
}

constexpr bool isLetterControlCode(std::uint8_t character) {
    return character >= 1 && character <= std::tuple_size_v<LetterKeys>;
}

// The number of entries a table built from `rows` must have: three per
// letter (small, capital, Control), the common rows that are not letter
// control codes, and the language's own rows.
constexpr std::size_t expectedEntryCount(std::span<const CharacterRow> rows,
                                         std::span<const CharacterRow> moreRows = {}) {
    std::size_t count = 3 * std::tuple_size_v<LetterKeys> + rows.size() + moreRows.size();
    for (const CharacterRow& row : kCommonRows) count += isLetterControlCode(row.character) ? 0 : 1;
    return count;
}

// `moreRows` lets two keyboards share most rows and add their own.
constexpr CharacterTable buildCharacterTable(const LetterKeys& letters,
                                             std::span<const CharacterRow> rows,
                                             std::span<const CharacterRow> moreRows = {}) {
    CharacterTable table{};
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const auto offset = static_cast<std::uint8_t>(i);
        table[static_cast<std::uint8_t>('a' + offset)] = encodeEntry({0, letters[i], kSmall});
        table[static_cast<std::uint8_t>('A' + offset)] = encodeEntry({0, letters[i], kCapital});
        table[static_cast<std::uint8_t>(1 + offset)] = encodeEntry({0, letters[i], kControl});
    }
    // Backspace, Tab and Enter take the place of Control with H, I and M.
    for (const CharacterRow& row : kCommonRows) table[row.character] = encodeEntry(row);
    for (const CharacterRow& row : rows) table[row.character] = encodeEntry(row);
    for (const CharacterRow& row : moreRows) table[row.character] = encodeEntry(row);
    return table;
}

constexpr std::size_t countEntries(const CharacterTable& table) {
    std::size_t count = 0;
    for (std::uint16_t entry : table) count += entry != 0 ? 1 : 0;
    return count;
}

// Every make code of a table is a key's make code: not 0, no break code.
constexpr bool makeCodesAreKeys(const CharacterTable& table) {
    for (std::uint16_t entry : table) {
        if (entry != 0 && (entryMakeCode(entry) == 0 || entryMakeCode(entry) >= 0x80)) return false;
    }
    return true;
}

// An accent key: a shift mode and the make code of the key.
struct DeadKeyString {
    std::array<std::uint8_t, 2> bytes{};
    std::uint8_t length = 0;
};
using DeadKeyStrings = std::array<DeadKeyString, kDeadKeyCount>;  // [0] is index 1

constexpr DeadKeyString accentKey(ShiftMode mode, std::uint8_t makeCode) {
    return DeadKeyString{{mode, makeCode}, 2};
}

struct LanguageTables {
    CharacterTable characters;
    DeadKeyStrings deadKeys;
};

constexpr bool deadKeysExist(const LanguageTables& language) {
    for (std::uint16_t entry : language.characters) {
        const int index = entryDeadKey(entry);
        if (index > kDeadKeyCount) return false;
        if (index != 0 && language.deadKeys[index - 1].length == 0) return false;
    }
    return true;
}

// Checked at compile time for every language: no row overwrote another (a
// character written twice), every make code is a key, and every accent the
// rows use is a key of the language.
constexpr bool isConsistent(const LanguageTables& language, std::span<const CharacterRow> rows,
                            std::span<const CharacterRow> moreRows = {}) {
    return countEntries(language.characters) == expectedEntryCount(rows, moreRows) &&
           makeCodesAreKeys(language.characters) && deadKeysExist(language);
}

// Each language's tables, defined in character_tables_<language>.cpp (the
// two Swiss keyboards together in character_tables_swiss.cpp).
extern const LanguageTables kUsTables;
extern const LanguageTables kGrTables;
extern const LanguageTables kFrTables;
extern const LanguageTables kUkTables;
extern const LanguageTables kSgTables;
extern const LanguageTables kSfTables;
extern const LanguageTables kItTables;
extern const LanguageTables kSpTables;

}  // namespace kbxc::tables
