#include <gtest/gtest.h>

#include "compiler/conversion/character_tables.h"
#include "compiler/conversion/convert.h"
#include "tests/support/files.h"

namespace kbxc {
namespace {

constexpr ConversionSettings kUsSettings{};
constexpr ConversionSettings kGlobalAscii{kUS, false, true};

struct Converted {
    std::string bytes;
    ConversionFailure failure;
    DefinitionBytes definition;
};

Converted convert(std::string_view text, DefinitionBytes definition, const ConversionSettings& settings,
                  bool lineResultEmpty = true) {
    const Conversion result = convertText(text, definition, lineResultEmpty, settings);
    return {kbxtest::hex(result.bytes), result.failure, definition};
}

TEST(InitialState, ComesFromTheConditionsOnlyForTheFirstTextOfALine) {
    EXPECT_EQ(convert("a", {0x02, 0x82, 0}, kUsSettings, true).bytes, "AA 1E 9E 2A");
    EXPECT_EQ(convert("a", {0x02, 0x82, 0}, kUsSettings, false).bytes, "1E 9E");
}

TEST(InitialState, TakesOnlyConditionsThatAreTested) {
    // -S tests Shift without asking for it: Shift is up.
    EXPECT_EQ(convert("a", {0x02, 0x80, 0}, kUsSettings).bytes, "1E 9E");
    EXPECT_EQ(convert("a", {0x04, 0x84, 0}, kUsSettings).bytes, "9D 1E 9E 1D");
}

TEST(InitialState, TheLayerAndTheTriggerPressNothingOnTheHost) {
    EXPECT_EQ(convert("a", {0x01, 0x81, 0}, kUsSettings).bytes, "1E 9E");      // +L
    EXPECT_EQ(convert("{a}", {0x80, 0x80, 0}, kUsSettings).bytes, "1E 9E");    // -K
    EXPECT_EQ(convert("{Ctrl+Pause}", {0x81, 0x81, 0}, kUsSettings).bytes, "1D E0 46 E0 C6 9D");
}

TEST(CharacterOutput, ConvertsToCharacterCodesWithTheAttribute) {
    const Converted result = convert("ab{CTRL+c}", {0, 0x80, kAttributeCharacters}, kUsSettings);
    EXPECT_EQ(result.bytes, "61 62 03");
    EXPECT_EQ(result.failure, ConversionFailure::none);
}

TEST(CharacterOutput, FailsAsAsciiAndKeepsWhatWasConverted) {
    const Converted result = convert("ab{F1}", {0, 0x80, kAttributeCharacters}, kUsSettings);
    EXPECT_EQ(result.bytes, "61 62");
    EXPECT_EQ(result.failure, ConversionFailure::ascii);
    EXPECT_EQ(result.definition.attributes, kAttributeCharacters);
}

TEST(GlobalAscii, GivesPlainDefinitionsCharacterOutput) {
    const Converted result = convert("ab", {0, 0x80, kAttributeClick}, kGlobalAscii);
    EXPECT_EQ(result.bytes, "61 62");
    EXPECT_EQ(result.definition.attributes, kAttributeClick | kAttributeCharacters);
}

TEST(GlobalAscii, LeavesMakeBreakDefinitionsToScancodes) {
    const Converted result = convert("a", {0, 0x80, kAttributeMakeBreak}, kGlobalAscii);
    EXPECT_EQ(result.bytes, "1E");
    EXPECT_EQ(result.definition.attributes, kAttributeMakeBreak);
}

TEST(GlobalAscii, FallsBackToScancodesWhenTheTextIsNoCharacterText) {
    const Converted result = convert("{Shift+F1}", {0, 0x80, 0}, kGlobalAscii);
    EXPECT_EQ(result.bytes, "2A 3B BB AA");
    EXPECT_EQ(result.failure, ConversionFailure::none);
    EXPECT_EQ(result.definition.attributes, 0);
}

TEST(GlobalAscii, ReportsTheScancodeFailureOfTheFallback) {
    const Converted result = convert("x{Foo}", {0, 0x80, 0}, kGlobalAscii);
    EXPECT_EQ(result.bytes, "2D AD");
    EXPECT_EQ(result.failure, ConversionFailure::scancode);
}

TEST(GlobalAscii, DoesNotTakeBackCharacterOutputItDidNotSet) {
    // Asked for by the line itself (or by an earlier text of the same line,
    // converted as characters already): no fallback.
    const Converted result = convert("{F1}", {0, 0x80, kAttributeCharacters}, kGlobalAscii);
    EXPECT_EQ(result.failure, ConversionFailure::ascii);
    EXPECT_EQ(result.definition.attributes, kAttributeCharacters);
}

TEST(Settings, SelectTheNationalKeyboard) {
    EXPECT_EQ(convert("z", {0, 0x80, 0}, ConversionSettings{kGR, false, false}).bytes, "15 95");
    EXPECT_EQ(convert("z", {0, 0x80, 0}, ConversionSettings{99, false, false}).bytes, "2C AC");
}

}  // namespace
}  // namespace kbxc
