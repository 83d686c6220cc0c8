// What the keyboard types: reply texts, national keyboards, module frames and
// the command lines that ask for them.

#include "kbxsim/key_typing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/channel_protocol.h"
#include "tools/kbxsim/modules/module_input.h"
#include "tools/kbxsim/tests/channel_client.h"

namespace kbxsim::test {
namespace {

namespace channel = kbx::platform::channel;
using Codes = std::vector<std::uint8_t>;

constexpr std::uint8_t kLeftShift = 0x2A;
constexpr std::uint8_t kAlt = 0x38;

std::uint32_t make(std::uint8_t code, bool extended = false, bool alt = false) {
    return channel::keyData(code, false, extended, alt);
}
std::uint32_t release(std::uint8_t code, bool extended = false, bool alt = false) {
    return channel::keyData(code, true, extended, alt);
}

TEST(ReplyTyping, EveryHexDigitIsAMakeAndABreakOfItsKey) {
    EXPECT_EQ(madeCodes(typeReplyText("1234567890ABCDEF")),
              (Codes{0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21}));
    EXPECT_EQ(typeReplyText("A"), (KeyEvents{make(0x1E), release(0x1E)}));
}

TEST(ReplyTyping, FaultCharactersHaveKeysToo) {
    // A NUL is code 0 (the capture read's error 6), "G" a key that is no digit.
    EXPECT_EQ(madeCodes(typeReplyText(std::string("0\0G", 3))), (Codes{0x0B, 0x00, 0x22}));
}

TEST(TextTyping, GermanKeyboardSwapsYAndZ) {
    EXPECT_EQ(madeCodes(typeText("zy", KeyboardLanguage::german)), (Codes{0x15, 0x2C}));
    EXPECT_EQ(madeCodes(typeText("zy", KeyboardLanguage::us)), (Codes{0x2C, 0x15}));
}

TEST(TextTyping, CapitalIsTypedWithShiftAroundIt) {
    EXPECT_EQ(typeText("A", KeyboardLanguage::us),
              (KeyEvents{make(kLeftShift), make(0x1E), release(0x1E), release(kLeftShift)}));
}

TEST(TextTyping, AltGrCharacterCarriesTheAltContext) {
    const KeyEvents events = typeText("@", KeyboardLanguage::german);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0], make(kAlt, true, true)) << "right Alt is an extended key";
    EXPECT_EQ(events[1], make(0x10, false, true));
    EXPECT_EQ(events[2], release(0x10, false, true));
    EXPECT_EQ(events[3], release(kAlt, true, true));
}

TEST(TextTyping, AccentKeyComesBeforeItsLetter) {
    // e acute (code page 437: 0x82) on the German keyboard: the acute key, then e.
    EXPECT_EQ(madeCodes(typeText("\x82", KeyboardLanguage::german)), (Codes{0x0D, 0x12}));
}

TEST(TextTyping, CharacterWithoutAKeyIsAnAltCodeOnTheKeypad) {
    // 0xB0 (a shade block) has no key: Alt held, keypad 1 7 6.
    const KeyEvents events = typeText("\xB0", KeyboardLanguage::us);
    EXPECT_EQ(madeCodes(events), (Codes{kAlt, 0x4F, 0x47, 0x4D}));
    EXPECT_EQ(events[1], make(0x4F, false, true));
    EXPECT_EQ(events.back(), release(kAlt, false, true));
}

TEST(TextTyping, Utf8TextBecomesCodePage437) {
    EXPECT_EQ(oemFromUtf8("M\xC3\xBCller"), "M\x81ller");
    EXPECT_EQ(oemFromUtf8("\xE2\x82\xAC"), "?") << "the euro sign has no place";
    EXPECT_EQ(oemFromUtf8("\xFF" "a"), "\xFF" "a") << "a byte that is no UTF-8 stays";
}

TEST(ModuleFrames, SwipeFramesEveryTrackThatIsNotEmpty) {
    const KeyEvents events = swipe("1", "", "2", KeyboardLanguage::us);
    EXPECT_EQ(madeCodes(events), (Codes{0x62, 0x02, 0x62, 0x64, 0x03, 0x64}));
    EXPECT_EQ(events.front(), make(0x62));
    EXPECT_EQ(events[1], release(0x62)) << "a marker is a make and a break";
}

TEST(ModuleFrames, EveryModuleHasItsMarker) {
    EXPECT_EQ(markerOf(Module::track1), 0x62);
    EXPECT_EQ(markerOf(Module::track2), 0x63);
    EXPECT_EQ(markerOf(Module::track3), 0x64);
    EXPECT_EQ(markerOf(Module::barcode), 0x65);
    EXPECT_EQ(markerOf(Module::keylock), 0x66);
    EXPECT_EQ(markerOf(Module::functionCard), 0x67);
}

TEST(ModuleInputLines, EachCommandTypesItsFrame) {
    const auto codesOf = [](std::string_view line) {
        const ModuleInput input = parseModuleInput(line, KeyboardLanguage::us);
        EXPECT_EQ(input.error, "") << line;
        return madeCodes(input.events);
    };
    EXPECT_EQ(codesOf("barcode 1 2"), (Codes{0x65, 0x02, 0x39, 0x03, 0x65})) << "blanks are part of the text";
    EXPECT_EQ(codesOf("keylock 3\n"), (Codes{0x66, 0x04, 0x66}));
    EXPECT_EQ(codesOf("card in 12"), (Codes{0x67, 0x02, 0x03, 0x67}));
    EXPECT_EQ(codesOf("card out"), (Codes{0x67, 0x67}));
    EXPECT_EQ(codesOf("type 1"), (Codes{0x02}));
    EXPECT_EQ(codesOf("swipe - \"1 2\""), (Codes{0x63, 0x02, 0x39, 0x03, 0x63}));
}

TEST(ModuleInputLines, BadLinesSayWhatIsWrong) {
    const auto errorOf = [](std::string_view line) { return parseModuleInput(line, KeyboardLanguage::us).error; };
    EXPECT_NE(errorOf("scan 123").find("unknown input \"scan 123\""), std::string::npos);
    EXPECT_EQ(errorOf("swipe 1 2 3 4"), "swipe needs one to three tracks");
    EXPECT_EQ(errorOf("swipe"), "swipe needs one to three tracks");
    EXPECT_EQ(errorOf("swipe \"1"), "a quote is not closed");
    EXPECT_EQ(errorOf("keylock  "), "keylock needs a position");
    EXPECT_NE(errorOf("barcodes 1"), "") << "a command word is matched whole";
}

TEST(ModuleInputLines, LanguageChoosesTheKeys) {
    EXPECT_EQ(madeCodes(parseModuleInput("type z", KeyboardLanguage::german).events), (Codes{0x15}));
    EXPECT_EQ(madeCodes(parseModuleInput("type a", KeyboardLanguage::french).events), (Codes{0x10}));
    EXPECT_FALSE(languageOf(8));
    EXPECT_EQ(languageOf(1), KeyboardLanguage::german);
}

}  // namespace
}  // namespace kbxsim::test
