#include <cstring>
#include <string>

#include "posfunc/tests/hook_test_support.h"

namespace kbxfunc::testing {
namespace {

using HookFrames = OpenedLibrary;

TEST_F(HookFrames, DigitsBetweenTwoTrackOneMarkersReachTheTrackOneCallback) {
    EXPECT_EQ(press(kTrack1Marker) + press(kKey1) + press(kKey2) + press(kKey3), 8);
    // The end marker is swallowed; its release comes after the frame and passes.
    EXPECT_EQ(feed({down(kTrack1Marker)}), 1);
    EXPECT_EQ(calls(), std::vector<std::string>{"1:3"});
    EXPECT_EQ(feed({up(kTrack1Marker)}), 0);
    EXPECT_EQ(text(Module::track1), "123");
}

TEST_F(HookFrames, DigitsReadTheSameInEveryLanguageButFrench) {
    constexpr int kFrench = 2;  // its digits are on the shifted number row
    for (int language = 0; language < kLanguageCount; ++language) {
        if (language == kFrench) continue;
        ASSERT_EQ(setLanguage(input(), language), 0);
        press(kBarcodeMarker);
        press(kKey3);
        press(kKey1);
        press(kBarcodeMarker);
        EXPECT_EQ(text(Module::barcode), "31") << "language " << language;
    }
    EXPECT_EQ(calls().size(), std::size_t(kLanguageCount - 1));
}

TEST_F(HookFrames, EachMarkerBelongsToItsOwnModule) {
    for (int code = 1; code <= int(kModuleCount); ++code) {
        const auto marker = std::uint8_t(code + 0x61);
        press(marker);
        for (int i = 0; i < code; ++i) press(kKey2);
        press(marker);
        EXPECT_EQ(text(Module(code)), std::string(std::size_t(code), '2')) << "module " << code;
    }
    EXPECT_EQ(calls(), (std::vector<std::string>{"1:1", "2:2", "3:3", "4:4", "5:5", "6:6"}));
}

TEST_F(HookFrames, TheBufferHoldsTheCharactersSoFarWhileAFrameIsOpen) {
    const char* track2 = moduleBuffer(input(), Module::track2);
    press(kTrack2Marker);
    EXPECT_STREQ(track2, "");
    press(kKey1);
    press(kKey2);
    EXPECT_STREQ(track2, "12");
    EXPECT_TRUE(calls().empty());
}

TEST_F(HookFrames, AMarkerOfAnotherModuleAbandonsTheOpenFrame) {
    press(kTrack1Marker);
    press(kKey1);
    press(kBarcodeMarker);
    press(kKey2);
    press(kBarcodeMarker);
    EXPECT_EQ(calls(), std::vector<std::string>{"4:1"});
    EXPECT_EQ(text(Module::barcode), "2");
    // The abandoned track starts afresh with its next marker instead of ending.
    press(kTrack1Marker);
    EXPECT_EQ(text(Module::track1), "");
    press(kKey3);
    press(kTrack1Marker);
    EXPECT_EQ(calls(), (std::vector<std::string>{"4:1", "1:1"}));
    EXPECT_EQ(text(Module::track1), "3");
}

TEST_F(HookFrames, AStartMarkerResetsTheModulesPreviousText) {
    press(kTrack1Marker);
    press(kKey1);
    press(kKey2);
    press(kTrack1Marker);
    press(kTrack1Marker);
    EXPECT_EQ(text(Module::track1), "");
    press(kTrack1Marker);
    EXPECT_EQ(calls(), (std::vector<std::string>{"1:2", "1:0"}));
}

TEST_F(HookFrames, AFrameKeepsAtMost511CharactersAndItsTerminator) {
    press(kFunctionCardMarker);
    for (int i = 0; i < 600; ++i) EXPECT_EQ(press(kKey1), 2);
    press(kFunctionCardMarker);
    EXPECT_EQ(calls(), std::vector<std::string>{"6:511"});
    const char* buffer = moduleBuffer(input(), Module::functioncard);
    EXPECT_EQ(std::strlen(buffer), 511u);
    EXPECT_EQ(buffer[511], '\0');
    // The neighbouring buffers are untouched.
    EXPECT_EQ(text(Module::keylock), "");
}

TEST_F(HookFrames, FramesWithoutCallbackStillFillTheBuffer) {
    ASSERT_EQ(setModuleCallback(input(), Module::track1, nullptr), 0);
    press(kTrack1Marker);
    press(kKey3);
    press(kTrack1Marker);
    EXPECT_EQ(text(Module::track1), "3");
    EXPECT_TRUE(calls().empty());
}

TEST_F(HookFrames, ShiftHeldInsideAFrameGivesCapitalsUntilItIsReleased) {
    ASSERT_EQ(setLanguage(input(), kUs), 0);
    press(kTrack1Marker);
    feed({down(kLeftShift), down(kKeyA), up(kKeyA), up(kLeftShift)});
    press(kKeyA);
    press(kTrack1Marker);
    EXPECT_EQ(text(Module::track1), "Aa");
}

TEST_F(HookFrames, ShiftIsFollowedOutsideFramesToo) {
    ASSERT_EQ(setLanguage(input(), kUs), 0);
    EXPECT_EQ(feed({down(kLeftShift)}), 0);
    press(kTrack1Marker);
    press(kKeyA);
    press(kTrack1Marker);
    EXPECT_EQ(feed({up(kLeftShift)}), 0);
    EXPECT_EQ(text(Module::track1), "A");
    EXPECT_FALSE(input().keyboard.shift);
}

TEST_F(HookFrames, KeyUpsAndExtendedKeysInsideAFrameAreSwallowedWithoutCharacters) {
    press(kTrack1Marker);
    EXPECT_EQ(feed({up(kKey1), keyData(kKey2, false, true), keyData(kKey2, true, true)}), 3);
    press(kTrack1Marker);
    EXPECT_EQ(calls(), std::vector<std::string>{"1:0"});
}

// The right Alt is E0 38: on a national keyboard it is AltGr, whose
// characters a barcode such as "mail@shop.de" needs.
TEST_F(HookFrames, TheExtendedRightAltIsAltGrInsideAFrame) {
    constexpr int kGerman = 1;
    constexpr std::uint8_t kKeyQ = 0x10, kKeyM = 0x32, kKey8 = 0x09;
    ASSERT_EQ(setLanguage(input(), kGerman), 0);
    press(kBarcodeMarker);
    press(kKeyM);
    feed({keyData(kAlt, false, true), down(kKeyQ), up(kKeyQ), down(kKey8), up(kKey8), keyData(kAlt, true, true)});
    press(kKeyQ);
    press(kBarcodeMarker);
    EXPECT_EQ(text(Module::barcode), "m@[q");
}

TEST_F(HookFrames, TheAltKeyUpInsideAFrameEndsAnAltNumericEntry) {
    // Alt held, 6 and 5 on the numeric pad, Alt released: character 65.
    constexpr std::uint8_t kPad6 = 0x4D, kPad5 = 0x4C;
    press(kTrack1Marker);
    feed({keyData(kAlt, false, false, true), keyData(kPad6, false, false, true), keyData(kPad6, true, false, true),
          keyData(kPad5, false, false, true), keyData(kPad5, true, false, true), up(kAlt)});
    press(kTrack1Marker);
    EXPECT_EQ(text(Module::track1), "A");
}

TEST_F(HookFrames, KeysOutsideFramesPassThrough) {
    EXPECT_EQ(press(kKey1) + press(kKeyA) + feed({keyData(0x48, false, true)}), 0);
    press(kTrack1Marker);
    press(kTrack1Marker);
    EXPECT_EQ(press(kKey1), 0);
    EXPECT_EQ(calls(), std::vector<std::string>{"1:0"});
}

TEST_F(HookFrames, EventsWithANegativeCodeAreNotLookedAt) {
    EXPECT_EQ(hookProcedure(state(), -1, down(kTrack1Marker)), HookResult::passedOn);
    EXPECT_EQ(input().frame.module, kNoModule);
    EXPECT_EQ(press(kKey1), 0);
}

// Which key data count as a frame marker: a plain key-down, repeat or not.
struct MarkerCase {
    const char* what;
    std::uint32_t extraBits;
    bool marker;
};

TEST_F(HookFrames, OnlyPlainKeyDownsOfTheMarkerCodesAreMarkers) {
    constexpr std::uint32_t kRepeat = 1u << 30;
    const MarkerCase cases[] = {
        {"plain", 0, true},          {"repeat", kRepeat, true},     {"extended", 1u << 24, false},
        {"bit 25", 1u << 25, false}, {"bit 26", 1u << 26, false},   {"bit 28", 1u << 28, false},
        {"Alt held", 1u << 29, false}, {"key-up", 1u << 31, false},
    };
    for (const MarkerCase& c : cases) {
        resetStateForTests();
        ASSERT_EQ(openLibrary(state()), 0);
        const bool swallowed = hookProcedure(state(), 0, down(kTrack1Marker) | c.extraBits) == HookResult::swallowed;
        EXPECT_EQ(swallowed, c.marker) << c.what;
        EXPECT_EQ(input().frame.module, c.marker ? 1 : kNoModule) << c.what;
    }
}

TEST_F(HookFrames, CodesNextToTheMarkersAreOrdinaryKeys) {
    EXPECT_EQ(press(0x61) + press(0x68), 0);
    EXPECT_EQ(input().frame.module, kNoModule);
}

}  // namespace
}  // namespace kbxfunc::testing
