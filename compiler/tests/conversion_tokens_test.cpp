#include <gtest/gtest.h>

#include <set>
#include <string>

#include "compiler/conversion/tokens.h"
#include "tests/support/files.h"

namespace kbxc {
namespace {

std::string hexOf(const Token& token) {
    const auto bytes = token.bytes.bytes();
    return kbxtest::hex(std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

std::size_t indexOf(std::string_view name) {
    const Token* token = findToken(name);
    return token == nullptr ? tokenTable().size() : static_cast<std::size_t>(token - tokenTable().data());
}

TEST(TokenTable, HasTheWholeVocabularyWithUniqueNames) {
    EXPECT_EQ(tokenTable().size(), 295u);
    std::set<std::string_view> names;
    for (const Token& token : tokenTable()) {
        EXPECT_TRUE(names.insert(token.name).second) << "twice: " << token.name;
    }
}

TEST(TokenTable, KeepsTheDocumentedOrder) {
    EXPECT_EQ(indexOf("SHIFT"), 0u);
    EXPECT_EQ(indexOf("E0SHIFT"), 9u);
    EXPECT_EQ(indexOf("MAKESHIFT"), 10u);
    EXPECT_EQ(indexOf("BREAKE0SHIFT"), 29u);
    EXPECT_EQ(indexOf("NORMAL"), 30u);
    EXPECT_EQ(indexOf("EMPTY"), 157u);
    EXPECT_EQ(indexOf("POSKEY001"), 158u);
    EXPECT_EQ(indexOf("POSKEY128"), 285u);
    EXPECT_EQ(indexOf("RESETSTATUS"), 294u);
    // Everything before NORMAL is a modifier; nothing from NORMAL on is.
    for (std::size_t i = 0; i < tokenTable().size(); ++i) {
        const TokenGroup group = tokenTable()[i].group;
        const bool modifierGroup = group == TokenGroup::heldModifier || group == TokenGroup::fakeShift ||
                                   group == TokenGroup::modifierMake || group == TokenGroup::modifierBreak;
        EXPECT_EQ(modifierGroup, i < indexOf("NORMAL")) << tokenTable()[i].name;
    }
}

struct TokenRow {
    std::string_view name;
    std::string_view bytes;
    int shiftMode;
};

class TokenRows : public testing::TestWithParam<TokenRow> {};

TEST_P(TokenRows, HasItsBytesAndShiftMode) {
    const TokenRow& row = GetParam();
    const Token* token = findToken(row.name);
    ASSERT_NE(token, nullptr) << row.name;
    EXPECT_EQ(hexOf(*token), row.bytes) << row.name;
    EXPECT_EQ(token->shiftMode, row.shiftMode) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    Sample, TokenRows,
    testing::Values(TokenRow{"SHIFT", "", 20}, TokenRow{"RCTRL", "", 23}, TokenRow{"APP", "", 29},
                    TokenRow{"E0SHIFT", "", 28}, TokenRow{"MAKERCTRL", "E0 1D", 0},
                    TokenRow{"MAKEAPP", "E0 5D", 0}, TokenRow{"BREAKSHIFT", "AA", 0},
                    TokenRow{"BREAKE0SHIFT", "E0 AA", 0}, TokenRow{"NORMAL", "", 1},
                    TokenRow{"SPACE", "39 B9", 0}, TokenRow{"F10", "44 C4", 0}, TokenRow{"F11", "57 D7", 0},
                    TokenRow{"FS12", "58 D8", 20}, TokenRow{"FC1", "3B BB", 22}, TokenRow{"FA10", "44 C4", 24},
                    TokenRow{"N,", "53 D3", 0}, TokenRow{"N0", "52 D2", 0}, TokenRow{"N9", "49 C9", 0},
                    TokenRow{"#.", "53 D3", 8}, TokenRow{"#1", "4F CF", 8}, TokenRow{"BS", "0E 8E", 0},
                    TokenRow{"PAUSE", "E1 1D 45 E1 9D C5", 1}, TokenRow{"BREAK", "E0 46 E0 C6", 3},
                    TokenRow{"PGDN", "E0 51 E0 D1", 0}, TokenRow{"SYS", "54", 0}, TokenRow{"BREAKSYS", "D4", 0},
                    TokenRow{"NUM", "45 C5", 0}, TokenRow{"SCROLL-LOCK", "46 C6", 0},
                    TokenRow{"BREAKSHIFTLOCK", "BA", 0}, TokenRow{"CAPS", "3A BA", 0},
                    TokenRow{"PRTSC", "E0 37 E0 B7", 0}, TokenRow{"TAB", "0F 8F", 0},
                    TokenRow{"\x1B", "E0 4B E0 CB", 0}, TokenRow{"\x1A", "E0 4D E0 CD", 0},
                    TokenRow{"\x18", "E0 48 E0 C8", 0}, TokenRow{"\x19", "E0 50 E0 D0", 0},
                    TokenRow{"RETURN", "1C 9C", 0}, TokenRow{"ENTER", "E0 1C E0 9C", 0},
                    TokenRow{"MUL", "37 B7", 0}, TokenRow{"DIV", "E0 35 E0 B5", 0}, TokenRow{"BEEP", "FF", 0},
                    TokenRow{"NO_DATA", "FB", 0}, TokenRow{"RESET", "38 53 D3 B8", 3},
                    TokenRow{"NUL", "03 83", 3}, TokenRow{"EMPTY", "", 0},
                    TokenRow{"POSKEYLOCK", "66", 0}, TokenRow{"POSFC", "67", 0}, TokenRow{"FN_OFF", "FD", 0},
                    TokenRow{"RESETSTATUS", "AA 9D B6 E0 9D B8 E0 B8 E0 DB E0 DC", 0}));

// The POSKEY codes run through the plain codes, skipping modifier, lock and
// other reserved keys, and then through the E0 codes.
INSTANTIATE_TEST_SUITE_P(
    PosKeyRunBoundaries, TokenRows,
    testing::Values(TokenRow{"POSKEY001", "68 01", 0}, TokenRow{"POSKEY028", "68 1C", 0},
                    TokenRow{"POSKEY029", "68 1E", 0}, TokenRow{"POSKEY040", "68 29", 0},
                    TokenRow{"POSKEY041", "68 2B", 0}, TokenRow{"POSKEY051", "68 35", 0},
                    TokenRow{"POSKEY052", "68 3B", 0}, TokenRow{"POSKEY061", "68 44", 0},
                    TokenRow{"POSKEY062", "68 47", 0}, TokenRow{"POSKEY074", "68 53", 0},
                    TokenRow{"POSKEY075", "68 56", 0}, TokenRow{"POSKEY077", "68 58", 0},
                    TokenRow{"POSKEY078", "68 E0 01", 0}, TokenRow{"POSKEY092", "68 E0 0F", 0},
                    TokenRow{"POSKEY093", "68 E0 11", 0}, TokenRow{"POSKEY100", "68 E0 18", 0}, TokenRow{"POSKEY101", "68 E0 1A", 0},
                    TokenRow{"POSKEY103", "68 E0 1E", 0}, TokenRow{"POSKEY105", "68 E0 23", 0},
                    TokenRow{"POSKEY106", "68 E0 25", 0}, TokenRow{"POSKEY114", "68 E0 2F", 0},
                    TokenRow{"POSKEY117", "68 E0 34", 0}, TokenRow{"POSKEY118", "68 E0 39", 0},
                    TokenRow{"POSKEY119", "68 E0 3B", 0}, TokenRow{"POSKEY128", "68 E0 44", 0}));

TEST(TokenLookup, IgnoresLetterCaseAndNeedsTheWholeName) {
    EXPECT_EQ(findToken("poskey005"), findToken("POSKEY005"));
    EXPECT_EQ(findToken("Scroll-Lock"), findToken("SCROLL-LOCK"));
    EXPECT_EQ(findToken("POSKEY000"), nullptr);
    EXPECT_EQ(findToken("POSKEY129"), nullptr);
    EXPECT_EQ(findToken("F"), nullptr);
    EXPECT_EQ(findToken("F1 "), nullptr);
    EXPECT_EQ(findToken(std::string_view("F1\0", 3)), nullptr);
    EXPECT_EQ(findToken(""), nullptr);
}

TEST(TokenLookup, FindsTheMakeTokenOfAHeldModifierOnly) {
    for (std::string_view name : {"SHIFT", "RSHIFT", "CTRL", "RCTRL", "ALT", "ALTGR", "LWIN", "RWIN", "APP"}) {
        const Token* make = makeTokenOf(*findToken(name));
        ASSERT_NE(make, nullptr) << name;
        EXPECT_EQ(make->name, "MAKE" + std::string(name));
    }
    EXPECT_EQ(makeTokenOf(*findToken("E0SHIFT")), nullptr);
    EXPECT_EQ(makeTokenOf(*findToken("F1")), nullptr);
}

}  // namespace
}  // namespace kbxc
