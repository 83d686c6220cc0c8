// The tools' common command-line convention as kbxlayout follows it, its
// failures on standard output, and its refusal of files that hold no layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "editor/persist/layout_reader.h"
#include "tests/support/files.h"
#include "tools/cli/options.h"
#include "tools/kbxlayout/outcomes.h"
#include "tools/kbxlayout/tests/kbxlayout_program.h"
#include "tools/kbxlayout/tool_document.h"

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

TEST(KbxlayoutConvention, VersionPrintsTheProjectsVersionLine) {
    const auto run = runKbxlayout({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, cli::versionText("kbxlayout"));
    EXPECT_EQ(run.err, "");
}

TEST(KbxlayoutConvention, ShortHelpIsTheLongHelp) {
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
        {"new", "--model", "Tarn", "-q", "out.kbf"},
        {"resave", "in.kbf", "out.kbf", "--glidepoint"},
        {"templates", "--colour", "LAY"},
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

struct NotALayoutCase {
    std::string name;
    std::string bytes;
    std::string reason;
};

std::vector<NotALayoutCase> notALayouts() {
    return {
        {"binary", std::string("\x7f" "ELF\x02\x01\x01\0\0\0TYPE TARN\r\n", 21), "it holds NUL bytes, as binary files do"},
        {"empty", "", "the file is empty"},
        {"script", "#!/bin/sh\necho hello\nexit 0\n", "no line of it is a layout statement"},
    };
}

TEST(KbxlayoutNotALayout, ShowRefusesItAndPrintsNoSummary) {
    for (const NotALayoutCase& file : notALayouts()) {
        TempDir dir;
        const std::filesystem::path path = dir / (file.name + ".kbf");
        writeFile(path, file.bytes);
        const auto run = runKbxlayout({"show", path.string()});
        EXPECT_EQ(run.exitCode, exitCode(Outcome::notALayout)) << file.name;
        EXPECT_EQ(run.err, "kbxlayout: " + path.string() + ": not a layout (" + file.reason + ")\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST(KbxlayoutNotALayout, ResaveLeavesItAndTheOutputAsTheyWere) {
    for (const NotALayoutCase& file : notALayouts()) {
        TempDir dir;
        const std::filesystem::path path = dir / (file.name + ".kbf");
        writeFile(path, file.bytes);
        writeFile(dir / "older.kbf", "TYPE TARN\r\n");
        for (const std::filesystem::path& output : {path, dir / "older.kbf", dir / "new.kbf"}) {
            const auto run = runKbxlayout({"resave", path.string(), output.string()});
            EXPECT_EQ(run.exitCode, exitCode(Outcome::notALayout)) << file.name << " to " << output;
        }
        EXPECT_EQ(readFile(path), file.bytes) << file.name;
        EXPECT_EQ(readFile(dir / "older.kbf"), "TYPE TARN\r\n");
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{file.name + ".kbf", "older.kbf"}));
    }
}

TEST(KbxlayoutNotALayout, TheProgramItselfIsRefused) {
    const auto run = runKbxlayout({"show", programPath().string()});
    EXPECT_EQ(run.exitCode, exitCode(Outcome::notALayout));
    EXPECT_EQ(run.out, "");
}

TEST(LayoutContent, OneLineTheReaderTakesMakesALayoutAmongKeptLines) {
    ToolDocument document;
    document.keyboard->keptLines.clear();
    const std::string text = "! a comment\r\nsomething else\r\nTYPE TARN\r\n";
    const std::size_t lines = kbxdoc::persist::readLayoutText(document.context, text);
    EXPECT_EQ(kbxdoc::persist::layoutContentOf(text, lines, *document.keyboard),
              kbxdoc::persist::LayoutContent::layout);
}

// The manual page's EXIT STATUS lists the rows --help prints, in order.
TEST(KbxlayoutManual, ExitStatusMatchesTheOutcomes) {
    const std::string page = readFile(std::filesystem::path(KBX_SOURCE_DIR) / "doc" / "man" / "kbxlayout.1");
    const std::size_t section = page.find(".SH EXIT STATUS\n");
    ASSERT_NE(section, std::string::npos);
    std::size_t at = section;
    for (const OutcomeRow& row : kOutcomes) {
        const std::string entry = ".TP\n.B " + std::to_string(row.exitCode) + "\n" + std::string(row.description) + "\n";
        const std::size_t found = page.find(entry, at);
        ASSERT_NE(found, std::string::npos) << entry;
        at = found + entry.size();
    }
    const std::size_t nextEntry = page.find(".TP\n.B ", at);
    EXPECT_TRUE(nextEntry == std::string::npos || nextEntry > page.find(".SH ", at)) << "no exit code beyond them";
}

}  // namespace
}  // namespace kbxlayout::testing
