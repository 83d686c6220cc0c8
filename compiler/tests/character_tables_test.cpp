#include "compiler/conversion/character_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kbxc {
namespace {

constexpr std::array<Language, kLanguageCount> kAllLanguages{kUS, kGR, kFR, kUK,
                                                            kSG, kSF, kIT, kSP};
constexpr std::array<std::string_view, kLanguageCount> kLanguageNames{"US", "GR", "FR", "UK",
                                                                      "SG", "SF", "IT", "SP"};

std::uint16_t entryOf(int language, unsigned char character) {
    return characterTable(language)[character];
}

std::vector<std::uint8_t> deadKeyBytes(int language, int index) {
    const auto bytes = deadKeyString(language, index);
    return {bytes.begin(), bytes.end()};
}

struct KnownEntry {
    Language language;
    unsigned char character;
    std::uint16_t entry;
};

constexpr KnownEntry kKnownEntries[] = {
    {kUS, '1', 0x102},  {kUS, '!', 0x202},  {kUS, '@', 0x203},  {kUS, 'a', 0x61E},
    {kUS, 'A', 0x71E},  {kUS, 'z', 0x62C},  {kUS, '-', 0x10C},  {kUS, '\\', 0x12B},
    {kUS, '~', 0x229},  {kGR, 'y', 0x62C},  {kGR, 'z', 0x615},  {kGR, '@', 0x510},
    {kGR, '{', 0x508},  {kGR, '\\', 0x50C}, {kGR, 0x84, 0x628}, {kGR, 0x8E, 0x728},
    {kGR, 0xE1, 0x10C}, {kGR, 0x82, 0x2612}, {kFR, 'a', 0x610}, {kFR, 'q', 0x61E},
    {kFR, '1', 0x202},  {kFR, '&', 0x102},  {kFR, 0x81, 0x4616}, {kUK, '@', 0x228},
    {kUK, '"', 0x203},  {kUK, '#', 0x12B},  {kUK, '\\', 0x156}, {kUK, 0x9C, 0x204},
    {kSG, 0x84, 0x128}, {kSF, 0x84, 0x228}, {kSG, 0x8E, 0x928}, {kSF, 0x8E, 0xA28},
    {kIT, '+', 0x11B},  {kIT, '<', 0x156},  {kSP, '+', 0x11B},  {kSP, '<', 0x156},
    {kSP, 0x81, 0x4616},
    // Common to every keyboard; the control codes follow the letter keys.
    {kUS, ' ', 0x139},  {kUS, 8, 0x10E},    {kUS, 9, 0x10F},    {kUS, 13, 0x11C},
    {kUS, 1, 0x31E},    {kUS, 26, 0x32C},   {kGR, 26, 0x315},   {kFR, 1, 0x310},
    {kFR, 13, 0x11C},
};

TEST(CharacterTables, KnownEntriesHold) {
    for (const KnownEntry& known : kKnownEntries) {
        EXPECT_EQ(entryOf(known.language, known.character), known.entry)
            << kLanguageNames[known.language] << " character 0x" << std::hex
            << int{known.character};
    }
}

struct KnownDeadKeys {
    Language language;
    std::array<std::vector<std::uint8_t>, 7> strings;  // indexes 1-7
};

TEST(CharacterTables, DeadKeyStringsOfEveryLanguage) {
    const std::vector<std::uint8_t> none;
    const KnownDeadKeys known[] = {
        {kUS, {none, none, none, none, none, none, none}},
        {kGR, {{{0x02, 0x0D}, {0x01, 0x0D}, {0x01, 0x29}, none, none, none, none}}},
        {kFR, {{none, none, {0x01, 0x1A}, {0x02, 0x1A}, none, none, none}}},
        {kUK, {none, none, none, none, none, none, none}},
        {kSG, {{{0x02, 0x0D}, {0x05, 0x0C}, {0x01, 0x0D}, {0x01, 0x1B}, {0x05, 0x0D}, none, none}}},
        {kSF, {{{0x02, 0x0D}, {0x05, 0x0C}, {0x01, 0x0D}, {0x01, 0x1B}, {0x05, 0x0D}, none, none}}},
        {kIT, {none, none, none, none, none, none, none}},
        {kSP, {{{0x01, 0x1A}, {0x01, 0x28}, {0x02, 0x1A}, {0x02, 0x28}, none, none, none}}},
    };
    for (const KnownDeadKeys& language : known) {
        for (int index = 1; index <= 7; ++index) {
            EXPECT_EQ(deadKeyBytes(language.language, index), language.strings[index - 1])
                << kLanguageNames[language.language] << " dead key " << index;
        }
    }
}

TEST(CharacterTables, OutOfRangeLookupsAreSafe) {
    EXPECT_EQ(&characterTable(-1), &characterTable(kUS));
    EXPECT_EQ(&characterTable(kLanguageCount), &characterTable(kUS));
    EXPECT_TRUE(deadKeyString(kGR, 0).empty());
    EXPECT_TRUE(deadKeyString(kGR, 8).empty());
    EXPECT_TRUE(deadKeyString(kGR, -1).empty());
    EXPECT_TRUE(deadKeyString(99, 1).empty());
}

TEST(CharacterTables, EveryLetterIsSmallAndCapitalOnOneKeyWithItsControlCode) {
    for (Language language : kAllLanguages) {
        for (int offset = 0; offset < 26; ++offset) {
            const auto small = entryOf(language, static_cast<unsigned char>('a' + offset));
            const auto capital = entryOf(language, static_cast<unsigned char>('A' + offset));
            const auto control = entryOf(language, static_cast<unsigned char>(1 + offset));
            SCOPED_TRACE(std::string(kLanguageNames[language]) + " letter " +
                         static_cast<char>('a' + offset));
            EXPECT_EQ(small >> 8, 6);
            EXPECT_EQ(capital >> 8, 7);
            EXPECT_EQ(entryMakeCode(small), entryMakeCode(capital));
            if (offset + 1 == 8 || offset + 1 == 9 || offset + 1 == 13) continue;
            EXPECT_EQ(control, 0x300 | entryMakeCode(small));
        }
    }
}

TEST(CharacterTables, LettersSitOnTheNationalKeys) {
    // The QWERTZ and AZERTY moves; everything else stays where US has it.
    EXPECT_EQ(entryOf(kSG, 'y'), 0x62C);
    EXPECT_EQ(entryOf(kSF, 'Z'), 0x715);
    EXPECT_EQ(entryOf(kFR, 'z'), 0x611);
    EXPECT_EQ(entryOf(kFR, 'w'), 0x62C);
    EXPECT_EQ(entryOf(kFR, 'M'), 0x727);
    for (Language language : {kUK, kIT, kSP}) {
        for (unsigned char letter = 'a'; letter <= 'z'; ++letter) {
            EXPECT_EQ(entryOf(language, letter), entryOf(kUS, letter)) << letter;
        }
    }
}

TEST(CharacterTables, DigitsAreTypeableWithoutAccentOnTheTopRow) {
    for (Language language : kAllLanguages) {
        for (unsigned char digit = '0'; digit <= '9'; ++digit) {
            const auto entry = entryOf(language, digit);
            const int key = digit == '0' ? 0x0B : digit - '0' + 1;
            EXPECT_EQ(entryMakeCode(entry), key) << kLanguageNames[language] << " " << digit;
            EXPECT_EQ(entryShiftMode(entry), language == kFR ? 2 : 1);
            EXPECT_EQ(entryDeadKey(entry), 0);
        }
    }
}

TEST(CharacterTables, PrintableAsciiIsTypeableWhereTheKeyboardHasIt) {
    // The Italian keyboard has no keys for { } ~ and `.
    constexpr std::string_view kItalianGaps = "{}~`";
    for (Language language : kAllLanguages) {
        for (unsigned char c = 0x20; c < 0x7F; ++c) {
            const bool gap = language == kIT && kItalianGaps.find(static_cast<char>(c)) !=
                                                    std::string_view::npos;
            EXPECT_EQ(entryOf(language, c) == 0, gap)
                << kLanguageNames[language] << " '" << c << "'";
        }
    }
}

TEST(CharacterTables, EveryEntryIsAKeyWithAKnownShiftModeAndExistingAccent) {
    constexpr std::array kShiftModes{1, 2, 3, 5, 6, 7, 9, 10};
    for (Language language : kAllLanguages) {
        for (int c = 0; c < 256; ++c) {
            const auto entry = entryOf(language, static_cast<unsigned char>(c));
            if (entry == 0) continue;
            SCOPED_TRACE(std::string(kLanguageNames[language]) + " character " + std::to_string(c));
            EXPECT_NE(entryMakeCode(entry), 0);
            EXPECT_LT(entryMakeCode(entry), 0x80);
            EXPECT_NE(std::find(kShiftModes.begin(), kShiftModes.end(), entryShiftMode(entry)),
                      kShiftModes.end());
            if (entryDeadKey(entry) != 0) {
                EXPECT_FALSE(deadKeyString(language, entryDeadKey(entry)).empty());
            }
        }
        for (int index = 1; index <= 7; ++index) {
            const auto accent = deadKeyString(language, index);
            if (accent.empty()) continue;
            EXPECT_NE(std::find(kShiftModes.begin(), kShiftModes.end(), accent[0]),
                      kShiftModes.end());
            for (std::size_t i = 1; i < accent.size(); ++i) EXPECT_LT(accent[i], 0x80);
        }
    }
}

// Accented characters and what typing them through an accent key means:
// the accent (the same index on every keyboard) and the base character.
struct Accented {
    unsigned char character;
    int deadKey;  // 1 grave, 2 acute, 3 circumflex, 4 diaeresis, 5 tilde
    unsigned char base;
};
constexpr Accented kAccented[] = {
    {0x85, 1, 'a'}, {0x8A, 1, 'e'}, {0x8D, 1, 'i'}, {0x95, 1, 'o'}, {0x97, 1, 'u'},
    {0xA0, 2, 'a'}, {0x82, 2, 'e'}, {0xA1, 2, 'i'}, {0xA2, 2, 'o'}, {0xA3, 2, 'u'},
    {0x90, 2, 'E'}, {0x83, 3, 'a'}, {0x88, 3, 'e'}, {0x8C, 3, 'i'}, {0x93, 3, 'o'},
    {0x96, 3, 'u'}, {0x84, 4, 'a'}, {0x89, 4, 'e'}, {0x8B, 4, 'i'}, {0x94, 4, 'o'},
    {0x81, 4, 'u'}, {0x98, 4, 'y'}, {0x8E, 4, 'A'}, {0x99, 4, 'O'}, {0x9A, 4, 'U'},
    {0xA4, 5, 'n'}, {0xA5, 5, 'N'}, {'`', 1, ' '},  {'^', 3, ' '},  {'~', 5, ' '},
};

TEST(CharacterTables, AccentedCharactersUseTheRightAccentAndBase) {
    int composed = 0;
    for (Language language : kAllLanguages) {
        for (const Accented& accented : kAccented) {
            const auto entry = entryOf(language, accented.character);
            if (entryDeadKey(entry) == 0) continue;
            ++composed;
            SCOPED_TRACE(std::string(kLanguageNames[language]) + " character " +
                         std::to_string(accented.character));
            EXPECT_EQ(entryDeadKey(entry), accented.deadKey);
            EXPECT_EQ(entry & 0xFFF, entryOf(language, accented.base));
        }
    }
    EXPECT_GT(composed, 60);  // the accent keys are actually used
}

TEST(CharacterTables, SwissGermanAndFrenchDifferOnlyInTheirAccentedLetters) {
    constexpr std::array<unsigned char, 12> kSwapped{0x81, 0x82, 0x84, 0x85, 0x8A, 0x8E,
                                                     0x90, 0x94, 0x99, 0x9A, 0xB7, 0xD4};
    for (int c = 0; c < 256; ++c) {
        const bool swapped = std::find(kSwapped.begin(), kSwapped.end(), c) != kSwapped.end();
        const auto german = entryOf(kSG, static_cast<unsigned char>(c));
        const auto french = entryOf(kSF, static_cast<unsigned char>(c));
        if (!swapped) {
            EXPECT_EQ(german, french) << "character " << c;
            continue;
        }
        // The same key, the plain letter of one being the Shift letter of the
        // other, and the CapsLock capitals likewise.
        EXPECT_NE(german, 0);
        EXPECT_EQ(entryMakeCode(german), entryMakeCode(french));
        constexpr std::array<std::pair<int, int>, 4> kOpposite{{{1, 2}, {2, 1}, {9, 10}, {10, 9}}};
        EXPECT_NE(std::find(kOpposite.begin(), kOpposite.end(),
                            std::pair{entryShiftMode(german), entryShiftMode(french)}),
                  kOpposite.end())
            << "character " << c;
    }
}

TEST(CharacterTables, SwissGermanTypesUmlautsPlainAndFrenchAccentsPlain) {
    constexpr std::array<unsigned char, 3> kUmlauts{0x81, 0x94, 0x84};
    constexpr std::array<unsigned char, 3> kGraveAndAcute{0x8A, 0x82, 0x85};
    for (unsigned char umlaut : kUmlauts) EXPECT_EQ(entryShiftMode(entryOf(kSG, umlaut)), 1);
    for (unsigned char accent : kGraveAndAcute) EXPECT_EQ(entryShiftMode(entryOf(kSF, accent)), 1);
}

TEST(CharacterTables, QwertyKeyboardsAgreeWhereTheirKeysAgree) {
    constexpr std::string_view kAllFour = "0123456789 ,.";
    constexpr std::string_view kUsAndUk = "!$%^&*()_=+[]{};:',<.>/?`";
    constexpr std::string_view kItAndSp = "!\"$%&/()='?+*[]<>,;.:-_";
    for (char c : kAllFour) {
        for (Language language : {kUK, kIT, kSP}) {
            EXPECT_EQ(entryOf(language, c), entryOf(kUS, c)) << kLanguageNames[language] << c;
        }
    }
    for (char c : kUsAndUk) EXPECT_EQ(entryOf(kUK, c), entryOf(kUS, c)) << c;
    for (char c : kItAndSp) EXPECT_EQ(entryOf(kSP, c), entryOf(kIT, c)) << c;
    for (int code = 0; code < 32; ++code) {
        for (Language language : kAllLanguages) {
            if (language == kFR) continue;  // AZERTY moves A, Q, W, Z and M
            const bool qwertz = language == kGR || language == kSG || language == kSF;
            if (qwertz && (code == 25 || code == 26)) continue;  // Y and Z
            EXPECT_EQ(entryOf(language, static_cast<unsigned char>(code)),
                      entryOf(kUS, static_cast<unsigned char>(code)))
                << kLanguageNames[language] << " control code " << code;
        }
    }
}

}  // namespace
}  // namespace kbxc
