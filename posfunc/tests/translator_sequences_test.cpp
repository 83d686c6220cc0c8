// Key sequences through the translator: keyboard bytes and prefixes, Pause
// and Break, the lock keys, Alt with the numeric pad, Control and dead keys.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "posfunc/translator/translator.h"

namespace kbxfunc {
namespace {

using namespace std::string_literals;

constexpr std::uint8_t kControl = 0x1D, kShift = 0x2A, kAlt = 0x38, kCaps = 0x3A, kNumLock = 0x45,
                       kScrollLock = 0x46, kE0 = 0xE0, kE1 = 0xE1, kSpace = 0x39;
constexpr std::uint8_t up(std::uint8_t code) { return static_cast<std::uint8_t>(code | 0x80); }

struct Keyboard {
    int language;
    KeyboardState state{};

    std::uint8_t press(std::uint8_t code) { return translateScanCode(code, language, state); }
    // Every character the codes give, the zeros left out.
    std::string type(std::initializer_list<std::uint8_t> codes) {
        std::string typed;
        for (std::uint8_t code : codes)
            if (const std::uint8_t c = press(code)) typed += static_cast<char>(c);
        return typed;
    }
};

TEST(TranslatorKeyboardBytes, OverrunRingsResendAndAcknowledgeGiveNothingAndAllEndAPrefix) {
    Keyboard kb{0};
    EXPECT_EQ(kb.press(0xFF), 7);
    EXPECT_EQ(kb.press(0xFE), 0);
    EXPECT_FALSE(kb.state.acknowledged);
    EXPECT_EQ(kb.press(0xFA), 0);
    EXPECT_TRUE(kb.state.acknowledged);
    for (std::uint8_t status : {std::uint8_t{0xFF}, std::uint8_t{0xFE}, std::uint8_t{0xFA}}) {
        kb.press(kE0);
        kb.press(status);
        EXPECT_EQ(kb.press(0x47), '7') << "the keypad key, not Home after " << +status;
        kb.press(kE1);
        kb.press(status);
        EXPECT_EQ(kb.press(kNumLock), 0);
        EXPECT_TRUE(kb.state.numLock) << "Num Lock, not Pause after " << +status;
        kb.press(kNumLock);
    }
}

TEST(TranslatorPrefixes, RightControlAndAltGrFollowMakeAndBreakWhileFakeShiftsAreIgnored) {
    Keyboard kb{0};
    EXPECT_EQ(kb.type({kE0, kControl}), "");
    EXPECT_TRUE(kb.state.control);
    EXPECT_EQ(kb.type({0x1E}), "\x01");
    kb.type({kE0, up(kControl), kE0, kAlt});
    EXPECT_FALSE(kb.state.control);
    EXPECT_TRUE(kb.state.altGr);
    EXPECT_FALSE(kb.state.alt);
    kb.type({kE0, up(kAlt), kE0, kShift, kE0, 0x48});
    EXPECT_FALSE(kb.state.altGr);
    EXPECT_FALSE(kb.state.shift);
    kb.type({kShift, kE0, up(kShift)});
    EXPECT_TRUE(kb.state.shift) << "the keyboard's own Shift release around a cursor key";
    EXPECT_FALSE(kb.state.prefixE0);
}

TEST(TranslatorPrefixes, PauseGivesOneCharacterAndLeavesControlAndNumLockAlone) {
    Keyboard kb{1};
    EXPECT_EQ(kb.type({kE1, kControl, kNumLock, kE1, up(kControl), up(kNumLock)}), "\xEC");
    EXPECT_FALSE(kb.state.numLock);
    EXPECT_FALSE(kb.state.control);
    EXPECT_EQ(kb.type({kE1, kNumLock}), "\xEC");
    EXPECT_EQ(kb.type({kE1, 0x1E, 0x1E}), "a") << "the prefix covers one other code only";
}

TEST(TranslatorPrefixes, BreakSwallowsTheNextMake) {
    Keyboard kb{0};
    EXPECT_EQ(kb.type({kControl, kE0, kScrollLock, kE0, up(kScrollLock), up(kControl)}), "");
    EXPECT_TRUE(kb.state.breakPending);
    EXPECT_EQ(kb.type({0x1E, up(0x1E)}), "");
    EXPECT_FALSE(kb.state.breakPending);
    EXPECT_EQ(kb.type({0x1E}), "a");
}

TEST(TranslatorLocks, EachMakeWithoutControlTogglesAndSetsKeyDownTheBreakClearsKeyDown) {
    struct Lock {
        std::uint8_t code;
        bool KeyboardState::*on;
        bool KeyboardState::*down;
    };
    for (const Lock& lock : {Lock{kCaps, &KeyboardState::capsLock, &KeyboardState::capsLockKeyDown},
                             Lock{kNumLock, &KeyboardState::numLock, &KeyboardState::numLockKeyDown},
                             Lock{kScrollLock, &KeyboardState::scrollLock, &KeyboardState::scrollLockKeyDown}}) {
        Keyboard kb{0};
        EXPECT_EQ(kb.press(lock.code), 0);
        EXPECT_TRUE(kb.state.*lock.on && kb.state.*lock.down) << +lock.code;
        EXPECT_EQ(kb.press(up(lock.code)), 0);
        EXPECT_TRUE(kb.state.*lock.on && !(kb.state.*lock.down));
        kb.type({lock.code, up(lock.code)});
        EXPECT_FALSE(kb.state.*lock.on);
        kb.type({kControl, lock.code, up(lock.code), up(kControl)});
        EXPECT_FALSE(kb.state.*lock.on) << "not with Control";
        EXPECT_EQ(kb.type({0x54, up(0x54)}), "");
    }
}

TEST(TranslatorAlt, NumericPadDigitsHeldWithAltGiveTheirNumberOnRelease) {
    Keyboard kb{1};
    EXPECT_EQ(kb.type({kAlt, 0x4D, up(0x4D), 0x4C, up(0x4C), up(kAlt)}), "A");
    // Without a leading 0 the number is a code page 437 character, with one a Windows-1252 code.
    EXPECT_EQ(kb.type({kAlt, 0x4F, 0x51, 0x50, up(kAlt)}), "\xE4") << "132: a umlaut";
    EXPECT_EQ(kb.type({kAlt, 0x52, 0x50, 0x50, 0x48, up(kAlt)}), "\xE4") << "0228: a umlaut";
    EXPECT_EQ(kb.type({kAlt, 0x52, 0x4F, 0x47, 0x48, up(kAlt)}), "\xB2") << "0178";
    EXPECT_EQ(kb.type({kAlt, 0x50, 0x4C, 0x4D, up(kAlt)}), "") << "256 does not fit a byte";
    EXPECT_EQ(kb.type({kAlt, 0x4F, up(kAlt), kAlt, up(kAlt)}), "\x01") << "a new Alt starts again";
    const std::vector<std::pair<std::uint8_t, int>> digits{{0x47, 7}, {0x48, 8}, {0x49, 9}, {0x4B, 4}, {0x4C, 5},
                                                           {0x4D, 6}, {0x4F, 1}, {0x50, 2}, {0x51, 3}, {0x52, 0}};
    for (const auto& [code, digit] : digits) {
        kb.type({kAlt, 0x4F, code});
        EXPECT_EQ(kb.press(up(kAlt)), 10 + digit) << +code;
    }
}

TEST(TranslatorAlt, OtherKeysGiveTheirCharacterWithBitSevenAndEndTheNumber) {
    Keyboard kb{1};
    EXPECT_EQ(kb.type({kAlt, 0x4B, 0x1E, 0x4C, up(kAlt)}), "\xE1\x05");
    EXPECT_EQ(kb.type({kAlt, 0x2C, kShift, 0x2C, up(kShift)}), "\xF9\xF9") << "the normal table, Shift or not";
    EXPECT_EQ(kb.type({0x4F, kSpace, 0x3B, 0x4A, 0x4E, up(kAlt)}), "") << "space, F1 and the pad's - + give nothing";
    EXPECT_EQ(kb.type({kAlt, kControl, 0x4F, 0x1E, up(kControl), up(kAlt)}), "") << "not with Control";
}

TEST(TranslatorControl, ControlCodesOfTheNormalCharacters) {
    Keyboard us{0};
    us.press(kControl);
    EXPECT_EQ(us.type({0x1E, 0x2C, 0x1A, 0x2B, 0x0E, 0x1C, 0x0C, 0x07}), "\x01\x1A\x1B\x1C\x7F\x0A\x1F\x1E");
    EXPECT_EQ(us.type({0x03, 0x02, 0x0F, 0x01, kSpace, 0x3B, 0x47, 0x56}), "") << "2 gives NUL, others none";
    Keyboard german{1};
    german.press(kControl);
    EXPECT_EQ(german.type({0x15, 0x2C, 0x35, 0x1A}), "\x1A\x19\x1F\x1C") << "z, y, -, u umlaut";
}

TEST(TranslatorControl, FrenchKeyboardHasItsOwnControlCodesOnTheDigitRow) {
    Keyboard french{2};
    french.press(kControl);
    for (std::uint8_t code : std::initializer_list<std::uint8_t>{0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x0A, 0x0B, 0x0C})
        EXPECT_EQ(french.press(code), 0) << +code;
    EXPECT_EQ(french.type({0x07, 0x09, 0x0D, 0x0E, 0x1A, 0x1B, 0x1C}), "\x1E\x1C\x1F\x7F\x1B\x1D\x0A");
    EXPECT_EQ(french.type({0x10, 0x1E, 0x2C}), "\x01\x11\x17") << "letters by their AZERTY characters";
    EXPECT_EQ(french.state.pendingDeadKey, kNoDeadKey) << "the circumflex key gave ESC, no accent";
}

// The key of each language's dead-key slots and what it gives before a space.
struct DeadKey {
    int language;
    std::vector<std::uint8_t> keys;  // the modifiers held and the key
    std::string alone;
};
const std::vector<DeadKey> kDeadKeys{
    {1, {kShift, 0x0D}, "`"}, {1, {0x0D}, "'"}, {1, {0x29}, "^"},
    {2, {0x1A}, "^"}, {2, {kShift, 0x1A}, "\xA8"},
    {4, {kShift, 0x0D}, "`"}, {4, {kE0, kAlt, 0x0C}, "'"}, {4, {0x0D}, "^"}, {4, {0x1B}, "\xA8"},
    {4, {kE0, kAlt, 0x0D}, "~"}, {5, {kE0, kAlt, 0x0C}, "'"}, {5, {0x1B}, "\xA8"},
    {7, {0x1A}, "`"}, {7, {0x28}, "\xAC"}, {7, {kShift, 0x1A}, "^"}, {7, {kShift, 0x28}, "\xA8"},
};

Keyboard pressDeadKey(const DeadKey& dead) {
    Keyboard kb{dead.language};
    for (std::uint8_t code : dead.keys) EXPECT_EQ(kb.press(code), 0);
    kb.state = KeyboardState{.pendingDeadKey = kb.state.pendingDeadKey};
    return kb;
}

TEST(TranslatorDeadKeys, EachSlotKeyFollowedBySpaceGivesTheAccentAlone) {
    for (const DeadKey& dead : kDeadKeys) {
        Keyboard kb = pressDeadKey(dead);
        EXPECT_EQ(kb.type({kSpace}), dead.alone) << dead.language << " " << +dead.keys.back();
        EXPECT_EQ(kb.state.pendingDeadKey, kNoDeadKey);
    }
}

TEST(TranslatorDeadKeys, EveryCompositionOfEverySlot) {
    struct Slot {
        std::uint8_t slot;
        std::string bases, results;
    };
    const std::vector<Slot> slots{
        {0, "aeiou ", "\xE0\xE8\xEC\xF2\xF9`"},
        {1, "aeiouE ", "\xE1\xE9\xED\xF3\xFA\xC9'"},
        {2, "aeiou ", "\xE2\xEA\xEE\xF4\xFB^"},
        {3, "aeiouyAOU ", "\xE4\xEB\xEF\xF6\xFC\xFF\xC4\xD6\xDC\xA8"},
        {4, "nN ", "\xF1\xD1~"},
        {5, "cC", "\xE7\xC7"},
        {6, "aA ", "\xE5\xC5\xB0"},
    };
    // Where each base character is on the US keyboard.
    struct BaseKey {
        char base;
        std::uint8_t code;
        bool shift;
    };
    const std::vector<BaseKey> baseKeys{
        {'a', 0x1E, false}, {'e', 0x12, false}, {'i', 0x17, false}, {'o', 0x18, false}, {'u', 0x16, false},
        {'y', 0x15, false}, {'n', 0x31, false}, {'c', 0x2E, false}, {' ', kSpace, false}, {'A', 0x1E, true},
        {'E', 0x12, true},  {'O', 0x18, true},  {'U', 0x16, true},  {'N', 0x31, true},   {'C', 0x2E, true},
    };
    for (const Slot& s : slots) {
        for (std::size_t i = 0; i < s.bases.size(); ++i) {
            const auto key = std::find_if(baseKeys.begin(), baseKeys.end(),
                                          [&](const BaseKey& k) { return k.base == s.bases[i]; });
            ASSERT_NE(key, baseKeys.end());
            Keyboard kb{0};
            kb.state.shift = key->shift;
            kb.state.pendingDeadKey = s.slot;
            EXPECT_EQ(kb.type({key->code}), s.results.substr(i, 1)) << "slot " << +s.slot << " base " << key->base;
            EXPECT_EQ(kb.state.pendingDeadKey, kNoDeadKey);
        }
    }
}

TEST(TranslatorDeadKeys, AnAccentThatDoesNotCombineIsDroppedAndModifiersKeepItPending) {
    Keyboard german{1};
    EXPECT_EQ(german.type({0x0D, 0x2D, 0x2D}), "xx");
    EXPECT_EQ(german.type({0x0D, kShift, 0x12, up(kShift), 0x12}), "\xC9" "e") << "acute, Shift, E";
    EXPECT_EQ(german.type({0x0D, 0x12, up(0x0D), 0x12}), "\xE9" "e") << "a late release accents nothing";
    Keyboard spanish{7};
    EXPECT_EQ(spanish.type({0x0C, 0x28, 0x12}), "'\xE9") << "a typed apostrophe stays one";
    Keyboard us{0};
    EXPECT_EQ(us.type({0x0D, 0x29, kSpace}), "=` ") << "no dead keys";
}

}  // namespace
}  // namespace kbxfunc
