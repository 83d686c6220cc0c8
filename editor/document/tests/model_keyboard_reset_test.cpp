#include <gtest/gtest.h>

#include "editor/document/key_table.h"
#include "editor/document/tests/model_fixture.h"

namespace kbxdoc {
namespace {

using testing::ModelFixture;

TEST(ResetKeyboardData, GivesTheKeyboardWideDefaults) {
    ModelFixture f;
    KeyboardData& k = *f.keyboard;
    k.model = 8;
    k.baud = 1200;
    k.parity = "E";
    k.interfaceName = "COM";
    k.languageCode = "GR";
    k.hotkeyMode = 1;
    k.capsLock = 1;
    k.slowKeyRate = "SLOW";
    k.memoryText = "MEMORY 4000";
    k.msrThreeTrack = 1;
    k.msrLrc = 1;
    k.captionDefaults.lineSpacing = 5;
    resetKeyboardData(f.context);
    EXPECT_EQ(k.model, 3);
    EXPECT_EQ((std::array{k.clickVolume, k.clickDuration, k.alarmVolume, k.alarmDuration}),
              (std::array{33, 40, 100, 400}));
    EXPECT_EQ((std::array{k.baud, k.dataBits, k.handshake}), (std::array{9600, 8, 0}));
    EXPECT_EQ(k.parity, "O");
    EXPECT_EQ(k.interfaceName, "AT");
    EXPECT_EQ(k.languageCode, "US");
    EXPECT_EQ((std::array{k.hotkeyMode, k.shiftLock, k.capsLock, k.rate, k.delay}), (std::array{0, 1, 0, 20, 500}));
    EXPECT_EQ(k.slowKeyRate, "DEFAULT");
    EXPECT_EQ(k.memoryText, "0");
    EXPECT_EQ(k.versionText, "0");
    EXPECT_EQ(k.msrThreeTrack, 0);
    EXPECT_EQ(k.msrLrc, 0);
    EXPECT_EQ(k.captionDefaults.lineSpacing, 0);
    EXPECT_EQ(k.captionDefaults.leftMargin, 1.0);
    EXPECT_EQ(k.captionDefaults.textColour, 0x0000FFu);
    EXPECT_EQ(k.captionDefaults.keyColour, 0xFFFFFFu);
}

TEST(ResetKeyboardData, SwitchesTheModulesOnInTheirPseudoKeysAndLeavesTheOtherOptionBytes) {
    struct Row {
        int slot;
        std::uint8_t option1;
        std::uint8_t option2;
    };
    // Bytes the reset does not touch were set to 7 beforehand.
    const Row rows[] = {
        {185, 1, 7}, {186, 7, 7}, {187, 1, 7}, {188, 7, 7}, {189, 7, 7}, {190, 7, 7}, {191, 1, 7}, {192, 7, 7},
        {193, 1, 7}, {194, 1, 7}, {195, 7, 7}, {196, 1, 7}, {197, 7, 7}, {198, 1, 7}, {199, 1, 1},
    };
    ModelFixture f;
    for (int slot = kFirstModuleSlot; slot <= kLastModuleSlot; ++slot) {
        f.key(slot).moduleOption1 = 7;
        f.key(slot).moduleOption2 = 7;
    }
    resetKeyboardData(f.context);
    for (const Row& row : rows) {
        EXPECT_EQ(f.key(row.slot).moduleOption1, row.option1) << "slot " << row.slot;
        EXPECT_EQ(f.key(row.slot).moduleOption2, row.option2) << "slot " << row.slot;
    }
}

TEST(ResetKeyboardData, LaysOutTheKeysOfModelThreeWithoutNamingALayer) {
    ModelFixture f;
    resetKeyboardData(f.context);
    EXPECT_GT(f.key(0).current.width, 0);
    EXPECT_EQ(f.key(0).current, f.key(0).templateGeometry);
    EXPECT_NE(f.keyboard->captionDefaults.fontHeight, 0);
    EXPECT_TRUE(layerName(f.layers, 0).empty());
}

TEST(ResetKeyboardData, WithoutKeyboardDataNothingHappens) {
    ActiveContext empty;
    EXPECT_NO_FATAL_FAILURE(resetKeyboardData(empty));
}

}  // namespace
}  // namespace kbxdoc
