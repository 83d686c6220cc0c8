// The tools' common command-line convention as kbxlayout follows it, its
// failures on standard output, and its refusal of files that hold no layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/manual_page.h"
#include "cli/options.h"
#include "cli/exit_status.h"
#include "tools/kbxlayout/outcomes.h"
#include "tools/kbxlayout/tests/kbxlayout_program.h"

namespace kbxlayout::testing {
namespace {

using kbxtest::readFile;
using kbxtest::TempDir;
using kbxtest::writeFile;

std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

TEST(KbxlayoutConvention, VersionAndShortHelp) {
    const auto version = runKbxlayout({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, cli::versionText("kbxlayout"));
    const auto shortHelp = runKbxlayout({"-h"});
    EXPECT_EQ(shortHelp.exitCode, 0);
    EXPECT_TRUE(shortHelp.out.starts_with("Usage: kbxlayout ")) << shortHelp.out;
    EXPECT_EQ(shortHelp.out, runKbxlayout({"--help"}).out);
}

TEST(KbxlayoutConvention, AJoinedValueWritesTheSameLayoutAsASeparateOne) {
    TempDir dir;
    const auto joined = runKbxlayout({"new", "--model=Hask", "--country=GR", "--opos", (dir / "a.kbf").string()});
    const auto separate = runKbxlayout({"new", "--model", "Hask", "--country", "GR", "--opos", (dir / "b.kbf").string()});
    ASSERT_EQ(joined.exitCode, 0) << joined.err;
    ASSERT_EQ(separate.exitCode, 0) << separate.err;
    EXPECT_EQ(readFile(dir / "a.kbf"), readFile(dir / "b.kbf"));
    EXPECT_TRUE(readFile(dir / "a.kbf").starts_with("TYPE HASK\r\n"));
}

TEST(KbxlayoutConvention, AfterTwoDashesAFileMayStartWithADash) {
    TempDir dir;
    kbxtest::ProcessOptions inDir;
    inDir.workingDirectory = dir.path();
    ASSERT_EQ(runKbxlayout({"resave", exampleLayout().string(), "--", "-odd.kbf"}, inDir).exitCode, 0);
    ASSERT_TRUE(std::filesystem::is_regular_file(dir / "-odd.kbf"));
    const auto shown = runKbxlayout({"show", "--", "-odd.kbf"}, inDir);
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_TRUE(shown.out.starts_with("Model: 2 Kesp")) << shown.out;
    EXPECT_EQ(runKbxlayout({"show", "-odd.kbf"}, inDir).exitCode, exitCode(Outcome::usage));
}

TEST(KbxlayoutConvention, AnUnknownOptionIsRefusedBeforeAnyFileIsWritten) {
    const std::vector<std::vector<std::string>> lines{
        {"new", "--model", "Tarn", "--bogus", "out.kbf"},
        {"new", "--model=Tarn", "out.kbf", "--opos=yes"},
        {"resave", "in.kbf", "out.kbf", "--glidepoint"},
    };
    for (const std::vector<std::string>& arguments : lines) {
        TempDir dir;
        writeFile(dir / "in.kbf", "TYPE TARN\r\n");
        kbxtest::ProcessOptions inDir;
        inDir.workingDirectory = dir.path();
        const auto run = runKbxlayout(arguments, inDir);
        EXPECT_EQ(run.exitCode, exitCode(Outcome::usage)) << arguments.back();
        EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"in.kbf"}) << arguments.back();
        EXPECT_EQ(readFile(dir / "in.kbf"), "TYPE TARN\r\n");
    }
}

// Every write to /dev/full fails with ENOSPC: full(4) of the Linux manual
// pages, and the kernel's drivers/char/mem.c, whose write_full returns
// -ENOSPC.
TEST(KbxlayoutOutput, AFullStandardOutputFailsTheRun) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"show", exampleLayout().string()}, std::vector<std::string>{"--help"},
          std::vector<std::string>{"--version"}}) {
        const auto run = runKbxlayoutIntoAFullDevice(arguments);
        EXPECT_EQ(run.exitCode, exitCode(Outcome::outputFailed)) << arguments.front();
        EXPECT_TRUE(run.err.starts_with("kbxlayout: write error")) << run.err;
    }
}

// show and resave refuse each, print nothing and leave every file as it was.
TEST(KbxlayoutNotALayout, ShowAndResaveRefuseItAndTouchNoFile) {
    const std::vector<std::pair<std::string, std::string>> files{
        {std::string("\x7f" "ELF\x02\x01\x01\0\0\0TYPE TARN\r\n", 21), "it holds NUL bytes, as binary files do"},
        {"", "the file is empty"},
        {"#!/bin/sh\necho hello\n", "no line of it is a layout statement"},
    };
    for (const auto& [bytes, reason] : files) {
        TempDir dir;
        const std::filesystem::path path = dir / "in.kbf";
        writeFile(path, bytes);
        writeFile(dir / "older.kbf", "TYPE TARN\r\n");
        const auto shown = runKbxlayout({"show", path.string()});
        EXPECT_EQ(shown.exitCode, exitCode(Outcome::notALayout)) << reason;
        EXPECT_EQ(shown.err, "kbxlayout: " + path.string() + ": not a layout (" + reason + ")\n");
        EXPECT_EQ(shown.out, "");
        for (const std::filesystem::path& output : {path, dir / "older.kbf", dir / "new.kbf"})
            EXPECT_EQ(runKbxlayout({"resave", path.string(), output.string()}).exitCode, exitCode(Outcome::notALayout));
        EXPECT_EQ(readFile(path), bytes);
        EXPECT_EQ(readFile(dir / "older.kbf"), "TYPE TARN\r\n");
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"in.kbf", "older.kbf"}));
    }
    EXPECT_EQ(runKbxlayout({"show", programPath().string()}).exitCode, exitCode(Outcome::notALayout));
}

// The manual page's EXIT STATUS holds the rows --help prints, and no other.
TEST(KbxlayoutManual, ExitStatusListsTheOutcomes) {
    const std::string page = readFile(std::filesystem::path(KBX_SOURCE_DIR) / "doc" / "man" / "kbxlayout.1");
    EXPECT_EQ(kbxtest::manualSection(page, "EXIT STATUS"),
              kbxtest::manualExitStatus(cli::exitCodesOf(kOutcomes, &OutcomeRow::exitCode, &OutcomeRow::description)));
}

}  // namespace
}  // namespace kbxlayout::testing
