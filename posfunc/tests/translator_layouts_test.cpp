// The characters of each national keyboard: letters, digits, Shift, Caps
// Lock, the fixed national rows, AltGr, the function keys and the keys
// after 0xE0.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "posfunc/translator/translator.h"

namespace kbxfunc {
namespace {

using namespace std::string_literals;

constexpr std::uint8_t kShift = 0x2A, kShiftUp = 0xAA, kCaps = 0x3A, kE0 = 0xE0, kAltGr = 0x38;

struct Keyboard {
    int language;
    KeyboardState state{};

    std::uint8_t press(std::uint8_t code) { return translateScanCode(code, language, state); }
    // The characters of the make codes first..last, each pressed and released.
    std::string keys(std::uint8_t first, std::uint8_t last) {
        std::string typed;
        for (int code = first; code <= last; ++code) {
            typed += static_cast<char>(press(static_cast<std::uint8_t>(code)));
            press(static_cast<std::uint8_t>(code | 0x80));
        }
        return typed;
    }
    std::string shifted(std::uint8_t first, std::uint8_t last) {
        press(kShift);
        std::string typed = keys(first, last);
        press(kShiftUp);
        return typed;
    }
    void capsLock() {
        press(kCaps);
        press(kCaps | 0x80);
    }
    void altGr(bool held) {
        press(kE0);
        press(held ? kAltGr : std::uint8_t{kAltGr | 0x80});
    }
};

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 0x20 : c);
    return text;
}

// The three letter rows from their first key: 0x10, 0x1E and 0x2C.
struct LetterRows {
    int language;
    std::string top, middle, bottom;
};
const std::vector<LetterRows> kLetterRows{
    {0, "qwertyuiop", "asdfghjkl", "zxcvbnm"}, {1, "qwertzuiop", "asdfghjkl", "yxcvbnm"},
    {2, "azertyuiop", "qsdfghjklm", "wxcvbn"}, {3, "qwertyuiop", "asdfghjkl", "zxcvbnm"},
    {4, "qwertzuiop", "asdfghjkl", "yxcvbnm"}, {5, "qwertzuiop", "asdfghjkl", "yxcvbnm"},
    {6, "qwertyuiop", "asdfghjkl", "zxcvbnm"}, {7, "qwertyuiop", "asdfghjkl", "zxcvbnm"},
};

std::string letters(Keyboard& kb, bool shift) {
    auto row = [&](std::uint8_t first, std::size_t n) {
        const auto last = static_cast<std::uint8_t>(first + n - 1);
        return shift ? kb.shifted(first, last) : kb.keys(first, last);
    };
    const LetterRows& rows = kLetterRows[static_cast<std::size_t>(kb.language)];
    return row(0x10, rows.top.size()) + row(0x1E, rows.middle.size()) + row(0x2C, rows.bottom.size());
}

TEST(TranslatorLayouts, LettersAreSmallCapitalWithShiftOrCapsLockAndSmallWithBoth) {
    for (const LetterRows& rows : kLetterRows) {
        SCOPED_TRACE(rows.language);
        const std::string small = rows.top + rows.middle + rows.bottom;
        Keyboard kb{rows.language};
        EXPECT_EQ(letters(kb, false), small);
        EXPECT_EQ(letters(kb, true), upper(small));
        kb.capsLock();
        EXPECT_EQ(letters(kb, false), upper(small));
        EXPECT_EQ(letters(kb, true), small);
    }
}

TEST(TranslatorLayouts, DigitsNeedShiftOnlyOnTheFrenchKeyboardAndIgnoreCapsLock) {
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        Keyboard kb{language};
        const bool french = language == 2;
        EXPECT_EQ(french ? kb.shifted(0x02, 0x0B) : kb.keys(0x02, 0x0B), "1234567890");
        const std::string unshifted = kb.keys(0x02, 0x0B);
        kb.capsLock();
        EXPECT_EQ(kb.keys(0x02, 0x0B), unshifted);
    }
}

TEST(TranslatorLayouts, UsKeyboardGivesItsFullTablesWithAndWithoutShift) {
    Keyboard us{0};
    EXPECT_EQ(us.keys(0x01, 0x39), "\x1B" "1234567890-=\b\tqwertyuiop[]\r" "\0" "asdfghjkl;'`" "\0"
                                   "\\zxcvbnm,./" "\0" "*" "\0" " "s);
    EXPECT_EQ(us.shifted(0x01, 0x29), "\x1B!@#$%^&*()_+\b\tQWERTYUIOP{}\r" "\0" "ASDFGHJKL:\"~"s);
    EXPECT_EQ(us.shifted(0x2B, 0x35), "|ZXCVBNM<>?");
    us.capsLock();
    EXPECT_EQ(us.keys(0x1A, 0x1B) + us.keys(0x27, 0x29) + us.keys(0x33, 0x35), "[];'`,./");
    EXPECT_EQ(us.shifted(0x1A, 0x1B) + us.shifted(0x02, 0x03), "{}!@");
}

TEST(TranslatorLayouts, GermanNationalKeysGiveTheirLettersInWindows1252) {
    Keyboard german{1};
    EXPECT_EQ(german.keys(0x1A, 0x1A) + german.keys(0x27, 0x28) + german.keys(0x0C, 0x0C), "\xFC\xF6\xE4\xDF");
    EXPECT_EQ(german.shifted(0x1A, 0x1A) + german.shifted(0x27, 0x28) + german.shifted(0x0C, 0x0C), "\xDC\xD6\xC4?");
    german.capsLock();
    EXPECT_EQ(german.keys(0x1A, 0x1A) + german.keys(0x0C, 0x0C), "\xDC\xDF") << "sharp s has no capital";
}

TEST(TranslatorLayouts, ExtraKeyLeftOfZUsesTheFirstTableEntry) {
    const std::vector<std::pair<int, std::string>> cases{{0, "\\|\\|"}, {1, "<><>"}, {3, "\\|\\|"}, {7, "<><>"}};
    for (const auto& [language, expected] : cases) {
        Keyboard kb{language};
        std::string typed = kb.keys(0x56, 0x56) + kb.shifted(0x56, 0x56);
        kb.capsLock();
        typed += kb.keys(0x56, 0x56) + kb.shifted(0x56, 0x56);
        EXPECT_EQ(typed, expected) << language;
    }
}

TEST(TranslatorLayouts, SwissCapsLockGivesTheCapitalsOfTheThreeNationalLetterKeys) {
    Keyboard swissGerman{4}, swissFrench{5};
    EXPECT_EQ(swissGerman.keys(0x1A, 0x1A) + swissGerman.keys(0x27, 0x28), "\xFC\xF6\xE4");
    EXPECT_EQ(swissFrench.keys(0x1A, 0x1A) + swissFrench.keys(0x27, 0x28), "\xE8\xE9\xE0");
    swissGerman.capsLock();
    swissFrench.capsLock();
    auto three = [](Keyboard& kb, bool shift) {
        return shift ? kb.shifted(0x1A, 0x1A) + kb.shifted(0x27, 0x28) : kb.keys(0x1A, 0x1A) + kb.keys(0x27, 0x28);
    };
    EXPECT_EQ(three(swissGerman, false), "\xDC\xD6\xC4");
    EXPECT_EQ(three(swissGerman, true), "\xC8\xC9\xC0");
    EXPECT_EQ(three(swissFrench, false), "\xC8\xC9\xC0");
    EXPECT_EQ(three(swissFrench, true), "\xDC\xD6\xC4");
}

TEST(TranslatorLayouts, AltGrGivesExactlyTheListedCharacters) {
    struct AltGrCase {
        int language;
        std::vector<std::pair<std::uint8_t, std::uint8_t>> keys;
    };
    const std::vector<AltGrCase> cases{
        {1, {{0x03, 0xB2}, {0x04, 0xB3}, {0x08, 0x7B}, {0x09, 0x5B}, {0x0A, 0x5D}, {0x0B, 0x7D},
             {0x0C, 0x5C}, {0x10, 0x40}, {0x1B, 0x7E}, {0x56, 0x7C}, {0x32, 0xB5}, {0x1E, 0}}},
        {2, {{0x03, 0x7E}, {0x04, 0x23}, {0x05, 0x7B}, {0x06, 0x5B}, {0x07, 0x7C}, {0x08, 0x60},
             {0x09, 0x5C}, {0x0A, 0x5E}, {0x0B, 0x40}, {0x0C, 0x5D}, {0x0D, 0x7D}, {0x1B, 0x24}, {0x10, 0}}},
        {3, {{0x29, 0xA6}, {0x05, 0}}},
        {6, {{0x1A, 0x5B}, {0x1B, 0x5D}, {0x27, 0x40}, {0x28, 0x23}, {0x10, 0}}},
        {7, {{0x29, 0x5C}, {0x02, 0x7C}, {0x03, 0x40}, {0x04, 0x23}, {0x05, 0x7E}, {0x07, 0xAC},
             {0x1A, 0x5B}, {0x1B, 0x5D}, {0x28, 0x7B}, {0x2B, 0x7D}, {0x12, 0}}},
    };
    std::vector<AltGrCase> all = cases;
    for (int swiss : {4, 5})
        all.push_back({swiss, {{0x02, 0x7C}, {0x03, 0x40}, {0x04, 0x23}, {0x07, 0xAC}, {0x08, 0x7C}, {0x09, 0xA2},
                               {0x1A, 0x5B}, {0x1B, 0x5D}, {0x28, 0x7B}, {0x2B, 0x7D}, {0x56, 0x5C}, {0x1E, 0}}});
    for (const AltGrCase& c : all) {
        Keyboard kb{c.language};
        kb.altGr(true);
        for (const auto& [code, character] : c.keys) EXPECT_EQ(kb.press(code), character) << c.language << " " << +code;
        kb.altGr(false);
        EXPECT_NE(kb.press(0x10), 0) << "AltGr released";
    }
}

TEST(TranslatorLayouts, AltGrOnTheUsKeyboardActsAsAlt) {
    Keyboard us{0};
    us.altGr(true);
    EXPECT_EQ(us.press(0x1E), 'a' | 0x80);
}

TEST(TranslatorLayouts, FunctionKeysAndNumericPadFromTheSharedTables) {
    Keyboard kb{1};
    EXPECT_EQ(kb.keys(0x3B, 0x44) + kb.keys(0x57, 0x58), "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB");
    EXPECT_EQ(kb.shifted(0x3B, 0x44) + kb.shifted(0x57, 0x58), "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB");
    EXPECT_EQ(kb.keys(0x47, 0x53), "789-456+1230.");
    EXPECT_EQ(kb.shifted(0x47, 0x53), "\xE7\xE8\xE9-\xE4\xE5\xE6+\xE1\xE2\xE3\xE0\x7F");
    EXPECT_EQ(kb.keys(0x54, 0x55) + kb.keys(0x59, 0x59), "\0\0\0"s);
    kb.capsLock();  // with Caps Lock these keys ignore Shift
    EXPECT_EQ(kb.shifted(0x3B, 0x3B) + kb.shifted(0x47, 0x47), "\xC0" "7");
}

TEST(TranslatorLayouts, KeysAfterE0GiveTheExtendedListUnlessAltOrControlIsHeld) {
    const std::vector<std::pair<std::uint8_t, std::uint8_t>> keys{
        {0x1C, 0x0D}, {0x35, '/'}, {0x37, 0xEB}, {0x47, 0xE7}, {0x48, 0xE8}, {0x49, 0xE9}, {0x4B, 0xE4},
        {0x4D, 0xE6}, {0x4F, 0xE1}, {0x50, 0xE2}, {0x51, 0xE3}, {0x52, 0xE0}, {0x53, 0x7F}, {0x4C, 0}};
    Keyboard kb{0};
    for (const auto& [code, character] : keys) {
        kb.press(kE0);
        EXPECT_EQ(kb.press(code), character) << +code;
        kb.press(kE0);
        EXPECT_EQ(kb.press(static_cast<std::uint8_t>(code | 0x80)), 0);
    }
    for (std::uint8_t modifier : {std::uint8_t{0x38}, std::uint8_t{0x1D}}) {
        kb.press(modifier);
        kb.press(kE0);
        EXPECT_EQ(kb.press(0x48), 0) << +modifier;
        kb.press(static_cast<std::uint8_t>(modifier | 0x80));
    }
}

TEST(TranslatorLayouts, CodesAboveTheTablesGiveNothing) {
    for (int language = 0; language < kLanguageCount; ++language) {
        Keyboard kb{language};
        for (std::uint8_t code = 0x5A; code < 0x80; ++code) EXPECT_EQ(kb.press(code), 0) << +code;
        kb.press(kShift);
        EXPECT_EQ(kb.press(0x5A), 0);
        kb.capsLock();
        EXPECT_EQ(kb.press(0x7F), 0);
        EXPECT_EQ(kb.press(0x00), 0) << "no key has make code 0";
    }
}

}  // namespace
}  // namespace kbxfunc
