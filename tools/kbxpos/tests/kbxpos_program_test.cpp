// kbxpos as a child process with a scripted standard input.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/support/files.h"
#include "tests/support/manual_page.h"
#include "tests/support/process.h"
#include "cli/options.h"
#include "cli/exit_status.h"
#include "tools/kbxpos/exit_status.h"

namespace {

const std::filesystem::path kProgram = std::filesystem::path(KBX_BIN_DIR) / "kbxpos";

struct ScriptRun {
    std::filesystem::path workingDirectory;  // empty: the test's own
    bool outputOnAFullDevice = false;        // standard output on /dev/full
};

// Runs kbxpos with no keyboard behind it (so that every device command
// fails) and the script as its input; standard output goes to /dev/full
// when asked.
kbxtest::ProcessResult runScript(const std::string& script, const std::vector<std::string>& arguments = {},
                                 const ScriptRun& run = {}) {
    for (const char* variable : {"KBX_KEYBOARD", "KBX_KEYBOARD_EVENTS", "KBX_USB", "KBX_PLATFORM"}) {
        unsetenv(variable);
    }
    kbxtest::TempDir folder;
    kbxtest::writeFile(folder / "script", script);
    kbxtest::ProcessOptions options;
    options.standardInput = folder / "script";
    options.workingDirectory = run.workingDirectory;
    options.timeout = std::chrono::milliseconds(20'000);
    if (run.outputOnAFullDevice) options.standardOutput = "/dev/full";
    return kbxtest::runProgram(kProgram, arguments, options);
}

int exitCodeOf(kbxpos::Ending ending) { return kbxpos::exitCode(ending); }

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

TEST(KbxposProgram, VersionAndShortHelpFollowTheToolsConvention) {
    const kbxtest::ProcessResult version = runScript("beep\n", {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, cli::versionText("kbxpos"));
    const kbxtest::ProcessResult shortHelp = runScript("", {"-h"});
    EXPECT_EQ(shortHelp.exitCode, 0);
    EXPECT_EQ(shortHelp.out, runScript("", {"--help"}).out);
}

TEST(KbxposProgram, AnUnknownOptionOrAnArgumentIsRefusedBeforeAnyCommandRuns) {
    struct Case {
        std::vector<std::string> arguments;
        std::string complaint;
    };
    const std::vector<Case> cases{
        {{"--bogus"}, "kbxpos: unknown option --bogus\n"},
        {{"--help=yes"}, "kbxpos: option --help takes no value\n"},
        {{"script.txt"}, "kbxpos: unexpected argument 'script.txt'\n"},
        {{"--", "-x"}, "kbxpos: unexpected argument '-x'\n"},
    };
    for (const Case& usage : cases) {
        kbxtest::TempDir folder;
        const kbxtest::ProcessResult result = runScript("beep\n", usage.arguments, ScriptRun{folder.path()});
        EXPECT_EQ(result.exitCode, exitCodeOf(kbxpos::Ending::usage)) << usage.complaint;
        EXPECT_EQ(result.err, usage.complaint + "Try 'kbxpos --help' for more information.\n");
        EXPECT_EQ(result.out, "") << "no command ran";
        EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "no file was left";
    }
}

// Every write to /dev/full fails with ENOSPC: full(4) of the Linux manual
// pages, and the kernel's drivers/char/mem.c, whose write_full returns
// -ENOSPC.
TEST(KbxposProgram, AFullStandardOutputFailsTheRun) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--help"}, std::vector<std::string>{}}) {
        const kbxtest::ProcessResult result = runScript("help\nquit\n", arguments, ScriptRun{{}, true});
        EXPECT_EQ(result.exitCode, exitCodeOf(kbxpos::Ending::outputFailed)) << result.err;
        EXPECT_NE(result.err.find("kbxpos: write error"), std::string::npos) << result.err;
    }
}

TEST(KbxposProgram, ARefusedOrFailedCommandMakesTheExitStatusOne) {
    // Refused: no column, out of range; failed in the library: no keyboard.
    for (const char* script : {"display 99 x\nquit\n", "leds 3\nhelp\n", "beep\n"})
        EXPECT_EQ(runScript(script).exitCode, exitCodeOf(kbxpos::Ending::commandFailed)) << script;
    EXPECT_EQ(runScript("# a comment\n\nhelp\nwait 0\nquit\n").exitCode, exitCodeOf(kbxpos::Ending::success));
}

TEST(KbxposProgram, CommandsRunUntilQuitAndReportEachResult) {
    const kbxtest::ProcessResult result =
        runScript("beep\nbogus\nleds 1\ndisplay open\ndisplay 1 1 HELLO\nwait 30\ndisplay close\nquit\nbeep\n");
    EXPECT_EQ(result.exitCode, exitCodeOf(kbxpos::Ending::commandFailed)) << result.err;
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
    EXPECT_EQ(result.exitCode, exitCodeOf(kbxpos::Ending::commandFailed));
    EXPECT_EQ(countLinesStartingWith(result.out, "beep: "), 1) << result.out;
    EXPECT_EQ(countLinesStartingWith(result.err, "kbxpos: x"), 1);
}

TEST(KbxposProgram, TheEndOfTheInputEndsTheProgram) {
    const kbxtest::ProcessResult result = runScript("help");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("  quit"), std::string::npos);
}

// The manual page's EXIT STATUS holds the rows --help prints, and no other.
TEST(KbxposManual, ExitStatusListsTheRowsOfTheHelp) {
    const std::string page = kbxtest::readFile(std::filesystem::path(KBX_SOURCE_DIR) / "doc" / "man" / "kbxpos.1");
    EXPECT_EQ(kbxtest::manualSection(page, "EXIT STATUS"),
              kbxtest::manualExitStatus(
                  cli::exitCodesOf(kbxpos::kExitRows, &kbxpos::ExitRow::exitCode, &kbxpos::ExitRow::description)));
}

}  // namespace
