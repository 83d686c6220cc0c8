// kbxpos with the simulated keyboard behind it: commands and display text
// arrive at the keyboard, module data comes back as printed frames.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "tests/support/files.h"
#include "tests/support/process.h"
#include "tools/kbxsim/simulator.h"

namespace {

const std::filesystem::path kProgram = std::filesystem::path(KBX_BIN_DIR) / "kbxpos";

class KbxposWithKeyboard : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* variable : {"KBX_KEYBOARD_EVENTS", "KBX_USB", "KBX_PLATFORM"}) unsetenv(variable);
        setenv("KBX_KEYBOARD", ("sim:" + keyboard.channelPath().string()).c_str(), 1);
    }
    void TearDown() override { unsetenv("KBX_KEYBOARD"); }

    kbxtest::ProcessResult run(const std::string& script) {
        kbxtest::writeFile(folder / "script", script);
        kbxtest::ProcessOptions options;
        options.standardInput = folder / "script";
        options.timeout = std::chrono::milliseconds(30'000);
        return kbxtest::runProgram(kProgram, {}, options);
    }

    kbxsim::Simulator keyboard;
    kbxtest::TempDir folder;
};

TEST_F(KbxposWithKeyboard, CommandsReachTheKeyboard) {
    const kbxtest::ProcessResult result = run("beep\ntracks 7\nbarcode data 4711\nquit\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "beep: ok\ntracks: ok\nbarcode data: ok\n");
    const std::vector<kbxsim::DeviceCommand> commands = keyboard.commandLog();
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].code, 0x2B);
    EXPECT_EQ(commands[1].code, 0x36);
    EXPECT_EQ(commands[1].arguments, std::vector<std::uint8_t>{7});
    EXPECT_EQ(commands[2].code, 0x28);
    EXPECT_EQ(commands[2].arguments, (std::vector<std::uint8_t>{'4', '7', '1', '1'}));
}

TEST_F(KbxposWithKeyboard, DisplayTextAppearsOnTheKeyboardsDisplay) {
    const kbxtest::ProcessResult result =
        run("display open\ndisplay 1 1 HELLO WORLD\ndisplay 2 3 AB\nwait 500\ndisplay close\nquit\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("display complete"), std::string::npos) << result.out;
    const std::vector<std::string> screen = keyboard.displayScreen();
    ASSERT_EQ(screen.size(), 2u);
    EXPECT_EQ(screen[0], "HELLO WORLD" + std::string(13, ' '));
    EXPECT_EQ(screen[1], "  AB" + std::string(20, ' '));
}

TEST_F(KbxposWithKeyboard, ACardSwipeIsPrintedAsItsFrames) {
    kbxtest::ProcessResult result;
    std::thread program([&] { result = run("msr on\nwait 2000\nquit\n"); });
    keyboard.swipe("12345", "678");
    program.join();
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("track1 5: 12345\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("track2 3: 678\n"), std::string::npos) << result.out;
}

}  // namespace
