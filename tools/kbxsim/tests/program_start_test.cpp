// What kbxsim refuses before it starts a keyboard: a command line it cannot
// use, an image it cannot load, a place where it could not save the memory;
// and a standard output that takes nothing.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/manual_page.h"
#include "tests/support/process.h"
#include "tools/kbxsim/command_line/exit_codes.h"
#include "tools/kbxsim/command_line/help.h"

namespace kbxsim::test {
namespace {

namespace fs = std::filesystem;

const fs::path kProgram = fs::path(KBX_BIN_DIR) / "kbxsim";
const fs::path kManualPage = fs::path(KBX_SOURCE_DIR) / "doc/man/kbxsim.1";
constexpr std::string_view kTryHelp = "Try 'kbxsim --help' for more information.\n";

kbxtest::ProcessResult runKbxsim(const std::vector<std::string>& arguments) {
    kbxtest::ProcessOptions options;
    options.timeout = std::chrono::seconds(20);
    return kbxtest::runProgram(kProgram, arguments, options);
}

// kbxsim with its standard output on /dev/full, where every write fails
// with ENOSPC (the kernel's drivers/char/mem.c, write_full).
kbxtest::ProcessResult runOnAFullDevice(const std::vector<std::string>& arguments) {
    kbxtest::ProcessOptions options;
    options.timeout = std::chrono::seconds(20);
    options.standardOutput = "/dev/full";
    return kbxtest::runProgram(kProgram, arguments, options);
}

// Everything in the folder, by name.
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Permission bits do not stop the superuser (CAP_DAC_OVERRIDE, capabilities(7)).
bool permissionsApply() { return ::geteuid() != 0; }

TEST(ProgramStart, TellsItsVersionAndItsUsage) {
    const kbxtest::ProcessResult version = runKbxsim({"--version"});
    EXPECT_EQ(version.exitCode, kExitStopped);
    EXPECT_EQ(version.out, "kbxsim " KBX_VERSION "\n");
    const kbxtest::ProcessResult help = runKbxsim({"-h"});
    EXPECT_EQ(help.exitCode, kExitStopped);
    EXPECT_EQ(help.out.rfind("Usage: kbxsim serial [--link PATH]", 0), 0u);
    EXPECT_EQ(help.out, runKbxsim({"--help"}).out);
}

TEST(ProgramStart, AnUnknownOptionStartsNothing) {
    kbxtest::TempDir dir;
    const kbxtest::ProcessResult result =
        runKbxsim({"serial", "--link", (dir / "tty").string(), "--channel", (dir / "keyboard").string(), "--save",
                   (dir / "out.kbx").string(), "--bogus"});
    EXPECT_EQ(result.exitCode, kExitUsage);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "kbxsim: unknown option --bogus\n" + std::string(kTryHelp));
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

TEST(ProgramStart, AFullStandardOutputIsAFailure) {
    for (const std::string option : {"--help", "--version"}) {
        const kbxtest::ProcessResult result = runOnAFullDevice({option});
        EXPECT_EQ(result.exitCode, kExitFailed) << option;
        EXPECT_EQ(result.err.rfind("kbxsim: write error", 0), 0u) << result.err;
    }
}

TEST(ProgramStart, StopsAtOnceWhenNobodyCanLearnWhereTheKeyboardIs) {
    kbxtest::TempDir dir;
    const kbxtest::ProcessResult result = runOnAFullDevice({"serial", "--link", (dir / "tty").string()});
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, kExitFailed);
    EXPECT_EQ(result.err.rfind("kbxsim: write error", 0), 0u) << result.err;
    EXPECT_TRUE(namesIn(dir.path()).empty()) << "the link is removed again";
}

struct Refusal {
    std::string option;
    std::string path;
    std::string message;
};

// A refused image or save place: exit 1 with the message, no slave line, no link.
void expectRefusedAtTheStart(const Refusal& refusal, const fs::path& folder) {
    const fs::path link = folder / "tty";
    const kbxtest::ProcessResult result = runKbxsim({"serial", "--link", link.string(), refusal.option, refusal.path});
    EXPECT_EQ(result.exitCode, kExitFailed) << refusal.path;
    EXPECT_EQ(result.err, "kbxsim: " + refusal.path + ": " + refusal.message + "\n");
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(ProgramStart, RefusesAnImageItCannotLoad) {
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "text.kbx", "not an image at all");
    for (const Refusal& refusal : {
             Refusal{"--load", dir.path().string(), "cannot open the image: Is a directory"},
             Refusal{"--load", (dir / "missing.kbx").string(), "cannot open the image: No such file or directory"},
             Refusal{"--load", (dir / "text.kbx").string(), "not a keyboard image (no \"Vyrn\" at the start)"},
             // Opens, but every read fails: address 0 is not mapped, and the
             // kernel answers EIO when nothing could be copied (fs/proc/base.c,
             // mem_rw).
             Refusal{"--load", "/proc/self/mem", "cannot read the image: Input/output error"},
         })
        expectRefusedAtTheStart(refusal, dir.path());
}

TEST(ProgramStart, RefusesAnImageItMayNotRead) {
    if (!permissionsApply()) GTEST_SKIP() << "the superuser reads any file";
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "secret.kbx", "Vyrn");
    fs::permissions(dir / "secret.kbx", fs::perms::none);
    expectRefusedAtTheStart({"--load", (dir / "secret.kbx").string(), "cannot open the image: Permission denied"},
                            dir.path());
}

TEST(ProgramStart, RefusesAPlaceWhereItCouldNotSaveAndLeavesNothingThere) {
    kbxtest::TempDir dir;
    fs::create_directory(dir / "folder");
    kbxtest::writeFile(dir / "file", "keep");
    for (const Refusal& refusal : {
             Refusal{"--save", (dir / "missing" / "out.kbx").string(),
                     "cannot write the image: No such file or directory"},
             Refusal{"--save", (dir / "folder").string(), "cannot write the image: Is a directory"},
             Refusal{"--save", (dir / "file" / "out.kbx").string(), "cannot write the image: Not a directory"},
         })
        expectRefusedAtTheStart(refusal, dir.path());
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"file", "folder"}));
    EXPECT_TRUE(fs::is_empty(dir / "folder"));
    EXPECT_EQ(kbxtest::readFile(dir / "file"), "keep");
}

TEST(ProgramStart, RefusesAReadOnlyFolderForTheSave) {
    if (!permissionsApply()) GTEST_SKIP() << "the superuser writes into any folder";
    kbxtest::TempDir dir;
    fs::create_directory(dir / "read-only");
    fs::permissions(dir / "read-only", fs::perms::owner_read | fs::perms::owner_exec);
    expectRefusedAtTheStart(
        {"--save", (dir / "read-only" / "out.kbx").string(), "cannot write the image: Permission denied"}, dir.path());
    fs::permissions(dir / "read-only", fs::perms::owner_all);
}

TEST(ProgramStart, TheCheckOfTheSavePlaceLeavesNoFileBehind) {
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "file", "keep");
    // The save place is good; the link over a file then stops the start.
    const kbxtest::ProcessResult result =
        runKbxsim({"serial", "--save", (dir / "out.kbx").string(), "--link", (dir / "file").string()});
    EXPECT_EQ(result.exitCode, kExitFailed);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"file"});
}

TEST(ProgramStart, TheManualPageTellsTheExitCodesOfTheHelp) {
    EXPECT_EQ(kbxtest::manualSection(kbxtest::readFile(kManualPage), "EXIT STATUS"),
              kbxtest::manualExitStatus(kExitCodes));
}

}  // namespace
}  // namespace kbxsim::test
