// The bytes every device command sends, and what stops them; and, on a
// simulated keyboard, that each reaches it as the command its export names.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/event_loop.h"
#include "platform/key_events.h"
#include "platform/keyboard_channel.h"
#include "posfunc/commands/device_commands.h"
#include "posfunc/tests/command_recording.h"
#include "kbxsim/simulator.h"

namespace kbxfunc::test {
namespace {

using CommandBytes = RecordingTest;

// The library with the real interface library, reaching a simulated keyboard
// through the keyboard channel (the driver transport).
class CommandsOnTheKeyboard : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* variable : {kbx::platform::kKeyEventsVariable, kbx::platform::kUsbKeyboardVariable,
                                     "KBX_PLATFORM"}) {
            ::unsetenv(variable);
        }
        ::setenv(kbx::platform::kKeyboardVariable, ("sim:" + keyboard.channelPath().string()).c_str(), 1);
        kbx::platform::resetLoopForTests();
        resetStateForTests();
    }
    void TearDown() override {
        state().kbxi.unload();
        resetStateForTests();
        kbx::platform::resetLoopForTests();
        ::unsetenv(kbx::platform::kKeyboardVariable);
    }

    kbxsim::Simulator keyboard;
};

// What each export means, in the words of the simulated keyboard's own
// command table, which maps the byte it receives to that meaning.
const std::map<std::string_view, std::string_view> kKeyboardMeaningOfExport{
    {"kbx_msr_autoinput_on", "card reader auto input on"},
    {"kbx_msr_autoinput_off", "card reader auto input off"},
    {"kbx_msr_read_data", "card reader read data"},
    {"kbx_fc_autoinput_on", "function card auto input on"},
    {"kbx_fc_autoinput_off", "function card auto input off"},
    {"kbx_fc_read_data", "function card read data"},
    {"kbx_kl_autoinput_on", "key lock auto input on"},
    {"kbx_kl_autoinput_off", "key lock auto input off"},
    {"kbx_kl_read_data", "key lock read data"},
    {"kbx_bar_autoinput_on", "barcode auto input on"},
    {"kbx_bar_autoinput_off", "barcode auto input off"},
    {"kbx_bar_read_data", "barcode read data"},
    {"kbx_kvk_mode2", "insurance card mode 2"},
    {"kbx_kvk_mode1", "insurance card mode 1"},
    {"kbx_kvk_read_data", "insurance card read data"},
    {"kbx_beep", "beep"},
    {"kbx_msr_delete_data", "card reader delete data"},
    {"kbx_fat_finger_off", "fat finger off"},
    {"kbx_fat_finger_on", "fat finger on"},
    {"kbx_msr_cancel_read", "card reader cancel read"},
};

TEST_F(CommandsOnTheKeyboard, TheKeyboardRecognisesEveryCommandAsTheOneOfItsExport) {
    ASSERT_EQ(kDeviceCommands.size(), kKeyboardMeaningOfExport.size());
    for (const DeviceCommand& command : kDeviceCommands) {
        const auto meaning = kKeyboardMeaningOfExport.find(command.exportName);
        ASSERT_NE(meaning, kKeyboardMeaningOfExport.end()) << command.exportName;
        const std::size_t logged = keyboard.commandLog().size();
        EXPECT_EQ(runDeviceCommand(state(), command), 0) << command.exportName;
        const std::vector<kbxsim::DeviceCommand> log = keyboard.commandLog();
        ASSERT_EQ(log.size(), logged + 1) << command.exportName;
        EXPECT_EQ(log.back().name, meaning->second) << command.exportName;
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
