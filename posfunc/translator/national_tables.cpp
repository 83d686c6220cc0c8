#include "posfunc/translator/national_tables.h"

namespace kbxfunc {
namespace {

// A table is written as one string of its 60 entries in make-code order,
// split into the keyboard's rows: the extra key 0x56, Esc, the digit row
// 0x02-0x0D, Backspace and Tab, the top letter row 0x10-0x1B, Enter and
// Control, the middle row 0x1E-0x29, left Shift and the key 0x2B, the bottom
// row 0x2C-0x35, then right Shift, keypad "*", Alt, space, Caps Lock and the
// unused 0x3B. "\xFF" is no character. National characters are
// Windows-1252 codes.
template <std::size_t N>
consteval CharacterTable keys(const char (&entries)[N]) {
    static_assert(N == kCharacterTableSize + 1, "a character table has 60 entries");
    CharacterTable table{};
    for (std::size_t i = 0; i < kCharacterTableSize; ++i) table[i] = static_cast<std::uint8_t>(entries[i]);
    return table;
}

// The keys whose entries are the same on every keyboard; a row that slipped
// by one entry fails here.
consteval bool keysInPlace(const CharacterTable& table) {
    struct FixedEntry {
        std::uint8_t makeCode;
        std::uint8_t character;
    };
    constexpr std::array<FixedEntry, 12> fixed{{
        {0x01, 0x1B}, {0x0E, 0x08}, {0x0F, 0x09}, {0x1C, 0x0D}, {scan::kControl, kNoCharacter},
        {scan::kLeftShift, kNoCharacter}, {scan::kRightShift, kNoCharacter}, {0x37, '*'},
        {scan::kAlt, kNoCharacter}, {0x39, ' '}, {scan::kCapsLock, kNoCharacter}, {0x3B, 0x00},
    }};
    for (const FixedEntry& entry : fixed)
        if (table[entry.makeCode] != entry.character) return false;
    return table[0] != 0x1B;  // index 0 is the extra key, not Esc
}

consteval std::uint8_t windows1252Capital(std::uint8_t c) {
    const bool asciiSmall = c >= 'a' && c <= 'z';
    const bool nationalSmall = c >= 0xE0 && c <= 0xFE && c != 0xF7;
    return asciiSmall || nationalSmall ? static_cast<std::uint8_t>(c - 0x20) : c;
}

// Caps Lock gives the capital of a letter and leaves every other key as it
// is unshifted; a national letter may take its capital from the Shift table.
consteval bool capsLockConsistent(const NationalTables& t) {
    for (std::size_t i = 0; i < kCharacterTableSize; ++i) {
        const std::uint8_t normal = t.normal[i];
        const std::uint8_t caps = t.capsLock[i];
        if (normal >= 'a' && normal <= 'z') {
            if (caps != windows1252Capital(normal) || t.shift[i] != caps) return false;
        } else if (caps != normal && caps != t.shift[i] && caps != windows1252Capital(normal)) {
            return false;
        }
    }
    return true;
}

consteval bool wellFormed(const NationalTables& t) {
    return keysInPlace(t.normal) && keysInPlace(t.shift) && keysInPlace(t.capsLock) && capsLockConsistent(t);
}

// On the Swiss keyboards the three national letter keys of the right hand
// give capitals with Caps Lock on: the capital of the plain letter, and with
// Shift the capital of the Shift letter. Swiss French has them the other way
// round, its Shift letter being the Swiss German plain one.
constexpr std::array<FixedCapsLockKey, 3> kSwissGermanCapsLock{{
    {0x1A, 0xDC, 0xC8},
    {0x27, 0xD6, 0xC9},
    {0x28, 0xC4, 0xC0},
}};
constexpr std::array<FixedCapsLockKey, 3> kSwissFrenchCapsLock{{
    {0x1A, 0xC8, 0xDC},
    {0x27, 0xC9, 0xD6},
    {0x28, 0xC0, 0xC4},
}};

constexpr NationalTables kUs{
    keys("\\" "\x1B" "1234567890-=" "\b\t" "qwertyuiop[]" "\r" "\xFF" "asdfghjkl;'`" "\xFF" "\\"
         "zxcvbnm,./" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("|" "\x1B" "!@#$%^&*()_+" "\b\t" "QWERTYUIOP{}" "\r" "\xFF" "ASDFGHJKL:\"~" "\xFF" "|"
         "ZXCVBNM<>?" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("\\" "\x1B" "1234567890-=" "\b\t" "QWERTYUIOP[]" "\r" "\xFF" "ASDFGHJKL;'`" "\xFF" "\\"
         "ZXCVBNM,./" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    {},
};

// QWERTZ: y and z change places. The keys 0x0D (acute, Shift grave) and
// 0x29 (circumflex) are dead keys.
constexpr NationalTables kGerman{
    keys("<" "\x1B" "1234567890" "\xDF" "\xB4" "\b\t" "qwertzuiop" "\xFC" "+" "\r" "\xFF" "asdfghjkl" "\xF6"
         "\xE4" "^" "\xFF" "#" "yxcvbnm,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys(">" "\x1B" "!\"" "\xA7" "$%&/()=?`" "\b\t" "QWERTZUIOP" "\xDC" "*" "\r" "\xFF" "ASDFGHJKL"
         "\xD6" "\xC4" "\xB0" "\xFF" "'" "YXCVBNM;:_" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("<" "\x1B" "1234567890" "\xDF" "\xB4" "\b\t" "QWERTZUIOP" "\xDC" "+" "\r" "\xFF" "ASDFGHJKL" "\xD6"
         "\xC4" "^" "\xFF" "#" "YXCVBNM,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    {},
};

// AZERTY: a and q, z and w change places, m sits right of l; the digits
// need Shift. The key 0x1A is a dead key (circumflex, Shift diaeresis).
constexpr NationalTables kFrench{
    keys("<" "\x1B" "&" "\xE9" "\"'(-" "\xE8" "_" "\xE7" "\xE0" ")=" "\b\t" "azertyuiop^$" "\r" "\xFF"
         "qsdfghjklm" "\xF9" "\xB2" "\xFF" "*" "wxcvbn,;:!" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys(">" "\x1B" "1234567890" "\xB0" "+" "\b\t" "AZERTYUIOP" "\xA8" "\xA3" "\r" "\xFF" "QSDFGHJKLM%"
         "\xFF" "\xFF" "\xB5" "WXCVBN?./" "\xA7" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("<" "\x1B" "&" "\xE9" "\"'(-" "\xE8" "_" "\xE7" "\xE0" ")=" "\b\t" "AZERTYUIOP^$" "\r" "\xFF"
         "QSDFGHJKLM" "\xF9" "\xB2" "\xFF" "*" "WXCVBN,;:!" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    {},
};

constexpr NationalTables kUnitedKingdom{
    keys("\\" "\x1B" "1234567890-=" "\b\t" "qwertyuiop[]" "\r" "\xFF" "asdfghjkl;'`" "\xFF" "#"
         "zxcvbnm,./" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("|" "\x1B" "!\"" "\xA3" "$%^&*()_+" "\b\t" "QWERTYUIOP{}" "\r" "\xFF" "ASDFGHJKL:@" "\xAC"
         "\xFF" "~" "ZXCVBNM<>?" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("\\" "\x1B" "1234567890-=" "\b\t" "QWERTYUIOP[]" "\r" "\xFF" "ASDFGHJKL;'`" "\xFF" "#"
         "ZXCVBNM,./" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    {},
};

// QWERTZ. The key 0x0D is a dead key (circumflex, Shift grave, AltGr tilde),
// and so are 0x1B (diaeresis) and AltGr 0x0C (acute).
constexpr NationalTables kSwissGerman{
    keys("<" "\x1B" "1234567890'^" "\b\t" "qwertzuiop" "\xFC" "\xA8" "\r" "\xFF" "asdfghjkl" "\xF6"
         "\xE4" "\xA7" "\xFF" "$" "yxcvbnm,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys(">" "\x1B" "+\"*" "\xE7" "%&/()=?`" "\b\t" "QWERTZUIOP" "\xE8" "!" "\r" "\xFF" "ASDFGHJKL"
         "\xE9" "\xE0" "\xB0" "\xFF" "\xA3" "YXCVBNM;:_" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("<" "\x1B" "1234567890'^" "\b\t" "QWERTZUIOP" "\xDC" "\xA8" "\r" "\xFF" "ASDFGHJKL" "\xD6"
         "\xC4" "\xA7" "\xFF" "$" "YXCVBNM,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    kSwissGermanCapsLock,
};

// The Swiss German keyboard with the French letters unshifted.
constexpr NationalTables kSwissFrench{
    keys("<" "\x1B" "1234567890'^" "\b\t" "qwertzuiop" "\xE8" "\xA8" "\r" "\xFF" "asdfghjkl" "\xE9"
         "\xE0" "\xA7" "\xFF" "$" "yxcvbnm,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys(">" "\x1B" "+\"*" "\xE7" "%&/()=?`" "\b\t" "QWERTZUIOP" "\xFC" "!" "\r" "\xFF" "ASDFGHJKL"
         "\xF6" "\xE4" "\xB0" "\xFF" "\xA3" "YXCVBNM;:_" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("<" "\x1B" "1234567890'^" "\b\t" "QWERTZUIOP" "\xC8" "\xA8" "\r" "\xFF" "ASDFGHJKL" "\xC9"
         "\xC0" "\xA7" "\xFF" "$" "YXCVBNM,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    kSwissFrenchCapsLock,
};

// The accented letters keep their case with Caps Lock; Shift gives other
// characters on their keys.
constexpr NationalTables kItalian{
    keys("<" "\x1B" "1234567890'" "\xEC" "\b\t" "qwertyuiop" "\xE8" "+" "\r" "\xFF" "asdfghjkl" "\xF2"
         "\xE0" "\\" "\xFF" "\xF9" "zxcvbnm,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys(">" "\x1B" "!\"" "\xA3" "$%&/()=?^" "\b\t" "QWERTYUIOP" "\xE9" "*" "\r" "\xFF" "ASDFGHJKL"
         "\xE7" "\xB0" "|" "\xFF" "\xA7" "ZXCVBNM;:_" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("<" "\x1B" "1234567890'" "\xEC" "\b\t" "QWERTYUIOP" "\xE8" "+" "\r" "\xFF" "ASDFGHJKL" "\xF2"
         "\xE0" "\\" "\xFF" "\xF9" "ZXCVBNM,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    {},
};

// The keys 0x1A (grave, Shift circumflex) and 0x28 (acute, Shift diaeresis)
// are dead keys.
constexpr NationalTables kSpanish{
    keys("<" "\x1B" "1234567890'" "\xA1" "\b\t" "qwertyuiop`+" "\r" "\xFF" "asdfghjkl" "\xF1" "\xB4"
         "\xBA" "\xFF" "\xE7" "zxcvbnm,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys(">" "\x1B" "!\"" "\xB7" "$%&/()=?" "\xBF" "\b\t" "QWERTYUIOP^*" "\r" "\xFF" "ASDFGHJKL" "\xD1"
         "\xA8" "\xAA" "\xFF" "\xC7" "ZXCVBNM;:_" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    keys("<" "\x1B" "1234567890'" "\xA1" "\b\t" "QWERTYUIOP`+" "\r" "\xFF" "ASDFGHJKL" "\xD1" "\xB4"
         "\xBA" "\xFF" "\xC7" "ZXCVBNM,.-" "\xFF" "*" "\xFF" " " "\xFF" "\0"),
    {},
};

constexpr std::array<const NationalTables*, kLanguages> kTables{
    &kUs, &kGerman, &kFrench, &kUnitedKingdom, &kSwissGerman, &kSwissFrench, &kItalian, &kSpanish,
};

static_assert(wellFormed(kUs) && wellFormed(kGerman) && wellFormed(kFrench) && wellFormed(kUnitedKingdom) &&
              wellFormed(kSwissGerman) && wellFormed(kSwissFrench) && wellFormed(kItalian) &&
              wellFormed(kSpanish));

}  // namespace

const NationalTables& nationalTables(Language language) { return *kTables[languageIndex(language)]; }

}  // namespace kbxfunc
