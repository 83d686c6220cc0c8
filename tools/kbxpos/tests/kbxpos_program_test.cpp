// kbxpos as a child process with a scripted standard input.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

const std::filesystem::path kProgram = std::filesystem::path(KBX_BIN_DIR) / "kbxpos";

// Runs kbxpos with no keyboard behind it and the script as its input.
kbxtest::ProcessResult runScript(const std::string& script, const std::vector<std::string>& arguments = {}) {
    for (const char* variable : {"KBX_KEYBOARD", "KBX_KEYBOARD_EVENTS", "KBX_USB", "KBX_PLATFORM"}) {
        unsetenv(variable);
    }
    kbxtest::TempDir folder;
    kbxtest::writeFile(folder / "script", script);
    kbxtest::ProcessOptions options;
    options.standardInput = folder / "script";
    options.timeout = std::chrono::milliseconds(20'000);
    return kbxtest::runProgram(kProgram, arguments, options);
}

long countLinesStartingWith(const std::string& text, const std::string& start) {
    const std::vector<std::string> lines = kbxtest::splitLines(text);
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) { return line.starts_with(start); });
}

TEST(KbxposProgram, HelpDescribesTheProgramAndItsCommands) {
    const kbxtest::ProcessResult result = runScript("", {"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.starts_with("Usage: kbxpos"));
    EXPECT_NE(result.out.find("display ROW COLUMN TEXT"), std::string::npos);
}

TEST(KbxposProgram, AnUnknownArgumentIsAUsageError) {
    const kbxtest::ProcessResult result = runScript("", {"--bogus"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("kbxpos: unknown argument '--bogus'"), std::string::npos);
}

TEST(KbxposProgram, CommandsRunUntilQuitAndReportEachResult) {
    const kbxtest::ProcessResult result =
        runScript("beep\nbogus\nleds 1\ndisplay open\ndisplay 1 1 HELLO\nwait 30\ndisplay close\nquit\nbeep\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(countLinesStartingWith(result.out, "beep: "), 1) << result.out;
    EXPECT_EQ(countLinesStartingWith(result.out, "leds: "), 1) << result.out;
    EXPECT_EQ(countLinesStartingWith(result.out, "display open: "), 1) << result.out;
    EXPECT_EQ(countLinesStartingWith(result.out, "display: "), 1) << result.out;
    EXPECT_EQ(countLinesStartingWith(result.out, "display close: "), 1) << result.out;
    EXPECT_NE(result.err.find("kbxpos: bogus: unknown command"), std::string::npos);
}

TEST(KbxposProgram, WithoutAKeyEventSourceItSaysThatNoModuleDataWillArrive) {
    const kbxtest::ProcessResult result = runScript("quit\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("kbxpos: no key event source is configured"), std::string::npos) << result.err;
}

TEST(KbxposProgram, AnOverlongLineIsCutAndItsRestSkipped) {
    const kbxtest::ProcessResult result = runScript(std::string(5000, 'x') + " beep\nbeep\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(countLinesStartingWith(result.out, "beep: "), 1) << result.out;
    EXPECT_EQ(countLinesStartingWith(result.err, "kbxpos: x"), 1);
}

TEST(KbxposProgram, TheEndOfTheInputEndsTheProgram) {
    const kbxtest::ProcessResult result = runScript("help");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("  quit"), std::string::npos);
}

}  // namespace
