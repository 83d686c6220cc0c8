#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "compiler/conversion/character_tables.h"
#include "compiler/conversion/convert.h"

namespace kbxc {
namespace {

void expectStorable(const Conversion& result, std::string_view what) {
    EXPECT_LE(result.bytes.size(), kMaxProgrammingBytes) << what;
    EXPECT_EQ(std::count(result.bytes.begin(), result.bytes.end(), 0), 0) << what;
}

Conversion convertPlain(std::string_view text, std::uint8_t attributes = 0, ConversionSettings settings = {}) {
    DefinitionBytes definition{0, 0x80, attributes};
    return convertText(text, definition, true, settings);
}

TEST(HostileText, LongTextsStopAtTheBufferLimit) {
    const std::string capitals(4000, 'A');
    const Conversion typed = convertPlain(capitals);
    EXPECT_EQ(typed.bytes.size(), kMaxProgrammingBytes);
    EXPECT_EQ(typed.failure, ConversionFailure::none);
    EXPECT_TRUE(typed.truncated);
    const Conversion characters = convertPlain(capitals, kAttributeCharacters);
    EXPECT_EQ(characters.bytes.size(), kMaxProgrammingBytes);
    EXPECT_TRUE(characters.truncated);
}

TEST(HostileText, AFullBufferIsNotTruncation) {
    // 239 characters fit exactly; the zero bytes in between are not stored
    // and take no room.
    const std::string text = std::string(239, 'a') + std::string(5, '\0');
    const Conversion characters = convertPlain(text, kAttributeCharacters);
    EXPECT_EQ(characters.bytes.size(), kMaxProgrammingBytes);
    EXPECT_FALSE(characters.truncated);
    EXPECT_FALSE(convertPlain("{Shift+F1}").truncated);
}

TEST(HostileText, UnbalancedBracesNeverOverflow) {
    for (const std::string& text : {std::string(4000, '{'), std::string(4000, '}'), std::string(2000, '{') + "a",
                                    std::string("{Shift+") + std::string(3000, '{') + "x"}) {
        const Conversion result = convertPlain(text);
        expectStorable(result, text.substr(0, 20));
        EXPECT_EQ(result.failure, ConversionFailure::none);
    }
}

TEST(HostileText, ZeroCharactersAndBytesAreNeverStored) {
    const std::string zeros(300, '\0');
    expectStorable(convertPlain(zeros), "typed NUL characters");
    expectStorable(convertPlain(zeros, kAttributeCharacters), "NUL characters as ASCII");
    const Conversion raw = convertPlain("{\\x00}{\\x00\\x01}");
    EXPECT_EQ(raw.bytes, ProgrammingBytes{0x01});
    // A NUL inside a name is part of the name.
    EXPECT_EQ(convertPlain(std::string_view("{F1\0}", 5)).failure, ConversionFailure::scancode);
}

TEST(HostileText, OverlongNamesFailAndLongAltCodesStayBounded) {
    const std::string longName = "{" + std::string(200, 'X') + "}";
    EXPECT_EQ(convertPlain(longName).failure, ConversionFailure::scancode);
    EXPECT_EQ(convertPlain("{POSKEY0010}").failure, ConversionFailure::scancode);
    const Conversion alt = convertPlain("{ALT" + std::string(500, '7') + "}");
    expectStorable(alt, "long Alt code");
    EXPECT_EQ(alt.failure, ConversionFailure::none);
}

// Random texts of the characters that mean something, on every keyboard,
// with and without make-only mode, ShiftLock, character output and
// conditions: never a crash, never more than fits, never a zero byte.
TEST(HostileText, RandomTextsAreAlwaysStorable) {
    const std::string alphabet = std::string("{}+\\xX0123456789aAzZ#.,ALTSHIFTCTRLEMPTYPAUSEF1\x8E\x81\x80\x1B") +
                                 std::string(1, '\0');
    std::mt19937 random(20240601u);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 600);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 400; ++round) {
        std::string text(length(random), ' ');
        for (char& c : text) c = alphabet[pick(random)];
        const auto conditions = static_cast<std::uint8_t>(byte(random));
        const auto attributes = static_cast<std::uint8_t>(byte(random));
        DefinitionBytes definition{conditions, static_cast<std::uint8_t>(byte(random)), attributes};
        const ConversionSettings settings{round % kLanguageCount, (round & 8) != 0, (round & 16) != 0};
        expectStorable(convertText(text, definition, (round & 1) != 0, settings), text.substr(0, 40));
    }
}

}  // namespace
}  // namespace kbxc
