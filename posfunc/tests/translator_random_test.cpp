// Whatever bytes arrive, the translator keeps its state in range and gives
// nothing for codes that no key of its tables has.

#include <gtest/gtest.h>

#include <random>

#include "posfunc/translator/translator.h"

namespace kbxfunc {
namespace {

constexpr std::uint8_t kAltBreak = 0xB8;
constexpr std::uint8_t kOverrun = 0xFF;
constexpr int kBytesPerLanguage = 200000;

bool deadKeyInRange(const KeyboardState& state) {
    return state.pendingDeadKey < 7 || state.pendingDeadKey == kNoDeadKey;
}

TEST(TranslatorRandomBytes, KeepThePendingDeadKeyInRangeAndGiveNothingBeyondTheTables) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int language = -1; language <= kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        KeyboardState state;
        for (int i = 0; i < kBytesPerLanguage; ++i) {
            const auto code = static_cast<std::uint8_t>(byte(random));
            const std::uint8_t result = translateScanCode(code, language, state);
            ASSERT_TRUE(deadKeyInRange(state)) << "after " << +code;
            const bool beyondTables = code >= 0x5A && code < 0x80;
            const bool givingBreak = code == kAltBreak || code == kOverrun;
            if (beyondTables || (code >= 0x80 && !givingBreak)) {
                ASSERT_EQ(result, 0) << +code;
            }
        }
    }
}

TEST(TranslatorRandomBytes, StateSetFromOutsideIsHandledToo) {
    // A pending dead key that is no slot is dropped, not looked up.
    KeyboardState state;
    state.pendingDeadKey = 200;
    EXPECT_EQ(translateScanCode(0x1E, 1, state), 'a');
    EXPECT_EQ(state.pendingDeadKey, kNoDeadKey);
}

}  // namespace
}  // namespace kbxfunc
