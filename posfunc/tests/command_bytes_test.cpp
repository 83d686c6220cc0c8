// The bytes every device command sends, and what stops them.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "posfunc/commands/device_commands.h"
#include "posfunc/tests/command_recording.h"

namespace kbxfunc::test {
namespace {

using CommandBytes = RecordingTest;

// Written out from the keyboard's command list, apart from the table in code.
const std::map<std::string, std::uint8_t> kExpectedCommands{
    {"kbx_msr_autoinput_on", 0x18}, {"kbx_msr_autoinput_off", 0x19}, {"kbx_msr_read_data", 0x1A},
    {"kbx_fc_autoinput_on", 0x1B},  {"kbx_fc_autoinput_off", 0x1C},  {"kbx_fc_read_data", 0x1D},
    {"kbx_kl_autoinput_on", 0x1E},  {"kbx_kl_autoinput_off", 0x1F},  {"kbx_kl_read_data", 0x20},
    {"kbx_bar_autoinput_on", 0x21}, {"kbx_bar_autoinput_off", 0x22}, {"kbx_bar_read_data", 0x23},
    {"kbx_kvk_mode2", 0x24},        {"kbx_kvk_mode1", 0x25},         {"kbx_kvk_read_data", 0x26},
    {"kbx_beep", 0x2B},             {"kbx_msr_delete_data", 0x31},   {"kbx_fat_finger_off", 0x32},
    {"kbx_fat_finger_on", 0x33},    {"kbx_msr_cancel_read", 0x37},
};

TEST_F(CommandBytes, EveryCommandSendsThePrefixAndItsByte) {
    ASSERT_EQ(kDeviceCommands.size(), kExpectedCommands.size());
    for (const DeviceCommand& command : kDeviceCommands) {
        const auto expected = kExpectedCommands.find(std::string(command.exportName));
        ASSERT_NE(expected, kExpectedCommands.end()) << command.exportName;
        installRecordingKbxi(false);
        EXPECT_EQ(runDeviceCommand(state(), command), 0) << command.exportName;
        EXPECT_EQ(sent(), (Bytes{0xEF, expected->second})) << command.exportName;
    }
}

TEST_F(CommandBytes, AFailedPrefixSendsNoCommandByte) {
    recording().sendResult = failFrom(0);
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_beep")), 1);
    EXPECT_EQ(sent(), (Bytes{0xEF}));
}

TEST_F(CommandBytes, AFailedCommandByteFailsTheCommand) {
    recording().sendResult = failFrom(1);
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_msr_read_data")), 1);
    EXPECT_EQ(sent(), (Bytes{0xEF, 0x1A}));
}

TEST_F(CommandBytes, TracksAboveSevenSendNothing) {
    EXPECT_EQ(setReaderTracks(state(), 8), 1);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(setReaderTracks(state(), 7), 0);
    EXPECT_EQ(sent(), (Bytes{0xEF, 0x36, 0x07}));
}

TEST_F(CommandBytes, TracksStopAtTheFirstFailedByte) {
    recording().sendResult = failFrom(1);
    EXPECT_EQ(setReaderTracks(state(), 3), 1);
    EXPECT_EQ(sent(), (Bytes{0xEF, 0x36}));
}

TEST_F(CommandBytes, LedStatesChooseTheirCommandByte) {
    for (std::uint8_t ledState = 0; ledState < 3; ++ledState) {
        installRecordingKbxi(false);
        EXPECT_EQ(setReaderLeds(state(), ledState), 0);
        EXPECT_EQ(sent(), (Bytes{0xEF, static_cast<std::uint8_t>(0x42 + ledState)}));
    }
}

TEST_F(CommandBytes, AnUnknownLedStateSendsNothingAndReleasesTheKeyboard) {
    installRecordingKbxi(true);
    EXPECT_EQ(setReaderLeds(state(), 3), 1);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(calls(), (std::vector<std::string>{"capture", "clr", "release"}));
    EXPECT_FALSE(state().commands.bracketOpen);
}

TEST_F(CommandBytes, BarcodeTextsGoBetweenTheirCommandAndANul) {
    EXPECT_EQ(sendBarcodeConfig(state(), "AB"), 0);
    EXPECT_EQ(sent(), (Bytes{0xEF, 0x27, 'A', 'B', 0x00}));
    installRecordingKbxi(false);
    EXPECT_EQ(sendBarcodeData(state(), ""), 0);
    EXPECT_EQ(sent(), (Bytes{0xEF, 0x28, 0x00}));
}

TEST_F(CommandBytes, AFailedBarcodeTextByteEndsTheTextWithoutItsNul) {
    recording().sendResult = [](std::size_t index, std::uint8_t) -> unsigned char { return index == 3 ? 5 : 0; };
    EXPECT_EQ(sendBarcodeData(state(), "1234"), 5);
    EXPECT_EQ(sent(), (Bytes{0xEF, 0x28, '1', '2'}));
}

TEST_F(CommandBytes, AFailedBarcodeNulIsTheResult) {
    recording().sendResult = [](std::size_t index, std::uint8_t) -> unsigned char { return index == 3 ? 4 : 0; };
    EXPECT_EQ(sendBarcodeConfig(state(), "X"), 4);
    EXPECT_EQ(sent(), (Bytes{0xEF, 0x27, 'X', 0x00}));
}

TEST_F(CommandBytes, ABarcodeCommandThatCannotStartReturnsAtOnceAndReleasesTheKeyboard) {
    installRecordingKbxi(true);
    recording().sendResult = [](std::size_t index, std::uint8_t) -> unsigned char { return index == 1 ? 3 : 0; };
    EXPECT_EQ(sendBarcodeData(state(), "123"), 3);
    EXPECT_EQ(sent(), (Bytes{0xEF, 0x28}));
    EXPECT_FALSE(state().commands.bracketOpen);
}

TEST_F(CommandBytes, AMissingBarcodeTextSendsNothing) {
    EXPECT_EQ(sendBarcodeData(state(), nullptr), 1);
    EXPECT_TRUE(calls().empty());
}

}  // namespace
}  // namespace kbxfunc::test
