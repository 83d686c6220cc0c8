// kbxpos with the simulated keyboard behind it: commands and display text
// arrive at the keyboard, module data comes back as printed frames.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "kbxsim/simulator.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

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

// What a full screen costs on the line: the update passes send blocks of
// seven characters, alternating between the rows, so every block after the
// first needs a positioning of its own. The figure is printed against the
// least a full screen can take (one positioning and 48 characters).
TEST_F(KbxposWithKeyboard, AFullScreenIsSentInBlocksWithTheirPositioning) {
    const std::string first = "ABCDEFGHIJKLMNOPQRSTUVWX";
    const std::string second = "abcdefghijklmnopqrstuvwx";
    const kbxtest::ProcessResult result =
        run("display open\nwait 200\ndisplay 1 1 " + first + "\ndisplay 2 1 " + second + "\nwait 1000\nquit\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(keyboard.displayScreen(), (std::vector<std::string>{first, second}));
    constexpr std::size_t kOpeningBytes = 3;  // EC 01 00
    constexpr std::size_t kLeast = 1 + 48;
    const std::size_t sent = keyboard.displayBytes().size() - kOpeningBytes;
    std::printf("full 2 x 24 screen: %zu display bytes, least %zu (ratio %.2f)\n", sent, kLeast,
                double(sent) / double(kLeast));
    EXPECT_GE(sent, kLeast);
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
