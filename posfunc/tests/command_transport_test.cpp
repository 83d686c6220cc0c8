// The command bracket, the automatic choice of the interface and the choice
// by keyword.

#include <gtest/gtest.h>

#include "posfunc/commands/byte_transport.h"
#include "posfunc/commands/device_commands.h"
#include "posfunc/commands/interface_keyword.h"
#include "posfunc/tests/command_recording.h"

namespace kbxfunc::test {
namespace {

using Calls = std::vector<std::string>;
using CommandBracket = RecordingTest;

TEST_F(CommandBracket, OnTheNtFamilyTheKeyboardIsHeldForEveryByteAndReleasedAtTheEnd) {
    installRecordingKbxi(true);
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_beep")), 0);
    EXPECT_EQ(calls(), (Calls{"capture", "capture", "send EF", "capture", "send 2B", "clr", "release"}));
    EXPECT_FALSE(state().commands.bracketOpen);
    EXPECT_FALSE(state().commands.busy);
}

TEST_F(CommandBracket, OtherFamiliesUseNoDriverCalls) {
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_beep")), 0);
    EXPECT_EQ(calls(), (Calls{"send EF", "send 2B"}));
    EXPECT_EQ(closeCommandBracket(state()), 1);
}

TEST_F(CommandBracket, ClosingWithoutAnOpenBracketReportsOne) {
    installRecordingKbxi(true);
    EXPECT_EQ(closeCommandBracket(state()), 1);
    EXPECT_TRUE(calls().empty());
}

TEST_F(CommandBracket, ASingleByteLeavesTheBracketOpenUntilTheNextCommand) {
    installRecordingKbxi(true);
    EXPECT_EQ(sendCommandByte(state(), 0x55), 0);
    EXPECT_TRUE(state().commands.bracketOpen);
    EXPECT_FALSE(state().commands.busy);
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_beep")), 0);
    EXPECT_EQ(calls().back(), "release");
    EXPECT_FALSE(state().commands.bracketOpen);
}

TEST_F(CommandBracket, TheSendResultOfTheInterfaceLibraryIsPassedOn) {
    recording().sendResult = [](std::size_t, std::uint8_t) -> unsigned char { return 6; };
    EXPECT_EQ(sendCommandByte(state(), 0x10), 6);
}

TEST_F(CommandBracket, WithoutTheInterfaceLibraryEveryCommandFails) {
    kbx::platform::resetLoopForTests();
    resetStateForTests();
    state().kbxi.setLibraryName("libkbxi32-not-there.so");
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_beep")), 1);
    EXPECT_EQ(setReaderTracks(state(), 1), 1);
    EXPECT_EQ(sendBarcodeData(state(), "1"), 1);
    EXPECT_EQ(sendCommandByte(state(), 0x01), 1);
    EXPECT_EQ(setInterfaceByKeyword(state(), "USB"), 1);
    EXPECT_FALSE(state().commands.bracketOpen);
}

using InterfaceChoice = RecordingTest;

TEST_F(InterfaceChoice, TheFirstByteOfTheProcessChoosesAutomaticallyOnce) {
    installRecordingKbxi(false, false);
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_beep")), 0);
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_beep")), 0);
    EXPECT_EQ(calls(), (Calls{"select 0", "send EF", "send 2B", "send EF", "send 2B"}));
}

TEST_F(InterfaceChoice, AKeywordChoiceReplacesTheAutomaticOne) {
    installRecordingKbxi(false, false);
    EXPECT_EQ(setInterfaceByKeyword(state(), "USB"), 0);
    EXPECT_EQ(runDeviceCommand(state(), deviceCommand("kbx_beep")), 0);
    EXPECT_EQ(calls(), (Calls{"select 4", "send EF", "send 2B"}));
    EXPECT_FALSE(state().commands.busy);
}

TEST_F(InterfaceChoice, KeywordsNameTheirInterfaceByTheTextsBeginning) {
    const std::vector<std::pair<const char*, std::string>> cases{
        {"AUTO", "select 0"}, {"USB", "select 4"},  {"2000", "select 3"},  {"NT", "select 2"},
        {"W95", "select 1"},  {"W98", "select 1"},  {"ME", "select 1"},    {"USB2", "select 4"},
        {"NT4.0", "select 2"}, {"AUTOMATIC", "select 0"},
    };
    for (const auto& [keyword, expected] : cases) {
        installRecordingKbxi(false, false);
        EXPECT_EQ(setInterfaceByKeyword(state(), keyword), 0) << keyword;
        EXPECT_EQ(calls(), (Calls{expected})) << keyword;
        EXPECT_TRUE(state().commands.interfaceChosen) << keyword;
    }
}

TEST_F(InterfaceChoice, AnUnknownKeywordChoosesNothing) {
    installRecordingKbxi(false, false);
    for (const char* keyword : {"usb", "XP", "", " AUTO", "W9"}) {
        EXPECT_EQ(setInterfaceByKeyword(state(), keyword), 1) << keyword;
    }
    EXPECT_EQ(setInterfaceByKeyword(state(), nullptr), 1);
    EXPECT_TRUE(calls().empty());
    EXPECT_FALSE(state().commands.interfaceChosen);
}

TEST_F(InterfaceChoice, TheInterfaceLibrarysResultIsTheResult) {
    recording().selectResult = 2;
    EXPECT_EQ(setInterfaceByKeyword(state(), "2000"), 2);
}

}  // namespace
}  // namespace kbxfunc::test
