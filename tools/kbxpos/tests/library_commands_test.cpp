// The point-of-sale library kbxpos links, against the simulated keyboard:
// every command export reaches the keyboard as its own command, and direct
// bytes are acknowledged on both of their paths.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "kbxsim/simulator.h"
#include "kbxfunc.h"

namespace {

class LibraryWithKeyboard : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* variable : {"KBX_KEYBOARD_EVENTS", "KBX_USB", "KBX_PLATFORM"}) unsetenv(variable);
        setenv("KBX_KEYBOARD", ("sim:" + keyboard.channelPath().string()).c_str(), 1);
    }
    void TearDown() override {
        unload_kbxi32();
        unsetenv("KBX_KEYBOARD");
        unsetenv("KBX_PLATFORM");
    }

    std::vector<std::uint8_t> commandCodes() const {
        std::vector<std::uint8_t> codes;
        for (const kbxsim::DeviceCommand& command : keyboard.commandLog()) codes.push_back(command.code);
        return codes;
    }

    kbxsim::Simulator keyboard;
};

struct CommandExport {
    const char* name;
    int(KBX_CALL* call)();
    std::uint8_t code;
};

TEST_F(LibraryWithKeyboard, EveryCommandExportSendsItsCommand) {
    const std::vector<CommandExport> exports{
        {"kbx_msr_autoinput_on", &kbx_msr_autoinput_on, 0x18},
        {"kbx_msr_autoinput_off", &kbx_msr_autoinput_off, 0x19},
        {"kbx_msr_read_data", &kbx_msr_read_data, 0x1A},
        {"kbx_fc_autoinput_on", &kbx_fc_autoinput_on, 0x1B},
        {"kbx_fc_autoinput_off", &kbx_fc_autoinput_off, 0x1C},
        {"kbx_fc_read_data", &kbx_fc_read_data, 0x1D},
        {"kbx_kl_autoinput_on", &kbx_kl_autoinput_on, 0x1E},
        {"kbx_kl_autoinput_off", &kbx_kl_autoinput_off, 0x1F},
        {"kbx_kl_read_data", &kbx_kl_read_data, 0x20},
        {"kbx_bar_autoinput_on", &kbx_bar_autoinput_on, 0x21},
        {"kbx_bar_autoinput_off", &kbx_bar_autoinput_off, 0x22},
        {"kbx_bar_read_data", &kbx_bar_read_data, 0x23},
        {"kbx_kvk_mode2", &kbx_kvk_mode2, 0x24},
        {"kbx_kvk_mode1", &kbx_kvk_mode1, 0x25},
        {"kbx_kvk_read_data", &kbx_kvk_read_data, 0x26},
        {"kbx_beep", &kbx_beep, 0x2B},
        {"kbx_msr_delete_data", &kbx_msr_delete_data, 0x31},
        {"kbx_fat_finger_off", &kbx_fat_finger_off, 0x32},
        {"kbx_fat_finger_on", &kbx_fat_finger_on, 0x33},
        {"kbx_msr_cancel_read", &kbx_msr_cancel_read, 0x37},
    };
    std::vector<std::uint8_t> expected;
    for (const CommandExport& command : exports) {
        EXPECT_EQ(command.call(), 0) << command.name;
        expected.push_back(command.code);
    }
    EXPECT_EQ(kbx_msr_set_leds(2), 0);
    EXPECT_EQ(kbx_msr_set_tracks(5), 0);
    EXPECT_EQ(kbx_barcode_config("C1"), 0);
    expected.insert(expected.end(), {0x44, 0x36, 0x27});
    EXPECT_EQ(commandCodes(), expected);
    EXPECT_EQ(keyboard.commandLog().back().arguments, (std::vector<std::uint8_t>{'C', '1'}));
}

TEST_F(LibraryWithKeyboard, ARefusedByteFailsItsCommand) {
    keyboard.refuseEveryByte();
    EXPECT_NE(kbx_beep(), 0);
    EXPECT_EQ(kbx_sendstring("A"), 0) << "a hundred refusals give up";
    keyboard.clearFaults();
    EXPECT_EQ(kbx_beep(), 0);
}

TEST_F(LibraryWithKeyboard, DirectBytesAreAcknowledgedThroughTheDriver) {
    EXPECT_EQ(sendbyte('A'), 0);
    EXPECT_EQ(kbx_sendstring("XYZ"), 1);
    EXPECT_EQ(sendbyte(0xEE), 1) << "the echo is answered without an acknowledgement";
}

TEST_F(LibraryWithKeyboard, DirectBytesAreAcknowledgedThroughTheControllerOnTheNinetyFiveFamily) {
    unload_kbxi32();
    setenv("KBX_PLATFORM", "w95", 1);
    EXPECT_EQ(sendbyte('A'), 0);
    EXPECT_EQ(kbx_sendstring("XY"), 1);
}

TEST_F(LibraryWithKeyboard, DisplayBytesReachTheKeyboardsDisplay) {
    EXPECT_EQ(kbx_display_data("\x01OK"), 0);
    EXPECT_EQ(keyboard.displayScreen().front().substr(0, 3), "OK ");
}

}  // namespace
