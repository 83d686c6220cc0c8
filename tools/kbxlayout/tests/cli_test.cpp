// The program as a user runs it: each subcommand in a child process.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tools/kbxlayout/outcomes.h"
#include "tools/kbxlayout/tests/kbxlayout_program.h"

#include "compiler/driver.h"
#include "editor/document/catalogue.h"

namespace kbxlayout::testing {
namespace {

using kbxtest::readFile;
using kbxtest::TempDir;
using kbxtest::writeFile;

bool startsWith(const std::string& text, std::string_view start) { return text.rfind(start, 0) == 0; }
bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

TEST(KbxlayoutHelp, ListsTheSubcommandsTheSummaryAndEveryExitCode) {
    const auto run = runKbxlayout({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* subcommand : {"new", "resave", "show", "templates"})
        EXPECT_TRUE(contains(run.out, std::string("kbxlayout ") + subcommand)) << subcommand;
    EXPECT_TRUE(contains(run.out, "Kept lines"));
    for (const OutcomeRow& row : kOutcomes)
        EXPECT_TRUE(contains(run.out, "  " + std::to_string(row.exitCode) + "  " + std::string(row.description)))
            << row.exitCode;
}

struct UsageCase {
    std::vector<std::string> arguments;
    std::string_view complaint;
};

TEST(KbxlayoutUsage, WrongArgumentsExitWithTheUsageCodeAndSayWhy) {
    const std::vector<UsageCase> cases{
        {{}, "no subcommand"},
        {{"compile", "a.kbf"}, "unknown subcommand compile"},
        {{"show"}, "show takes 1 file"},
        {{"resave", "a.kbf"}, "resave takes 2 files"},
        {{"new", "out.kbf"}, "either --model NAME or --template NAME"},
        {{"new", "--model", "Tarn", "--template", "Tarn", "out.kbf"}, "either --model"},
        {{"new", "--model"}, "--model needs a value"},
        {{"new", "--model", "Tarn", "--colour", "out.kbf"}, "unknown option --colour"},
        {{"show", "-x", "a.kbf"}, "unknown option -x"},
        {{"show", "-odd.kbf"}, "unknown option -o"},
        {{"resave", "--opos", "a.kbf", "b.kbf"}, "option --opos is for new only"},
        {{"new", "--glidepoint=yes", "--model", "Tarn", "out.kbf"}, "option --glidepoint takes no value"},
    };
    for (const UsageCase& usage : cases) {
        const auto run = runKbxlayout(usage.arguments);
        EXPECT_EQ(run.exitCode, exitCode(Outcome::usage)) << usage.complaint;
        EXPECT_TRUE(contains(run.err, usage.complaint)) << run.err;
        EXPECT_TRUE(startsWith(run.err, "kbxlayout: ")) << run.err;
        EXPECT_TRUE(contains(run.err, "\nTry 'kbxlayout --help' for more information.\n")) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(KbxlayoutNew, AModelGivesItsBuiltInLayoutWithTheDefaultLayerName) {
    TempDir dir;
    const auto run = runKbxlayout({"new", "--model", "tArN", (dir / "t.kbf").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = readFile(dir / "t.kbf");
    EXPECT_TRUE(startsWith(text, "TYPE TARN\r\n")) << text;
    EXPECT_TRUE(contains(text, "LANGUAGE US"));
    EXPECT_TRUE(contains(text, "!@KEYLAYER:Normal-Layer\r\n"));
    EXPECT_TRUE(contains(run.out, "built-in layout of Tarn"));
}

TEST(KbxlayoutNew, ACountryWithAModelSetsTheLanguage) {
    TempDir dir;
    const auto run = runKbxlayout({"new", "--model", "Hask", "--country", "gr", (dir / "h.kbf").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = readFile(dir / "h.kbf");
    EXPECT_TRUE(startsWith(text, "TYPE HASK\r\n"));
    EXPECT_TRUE(contains(text, "LANGUAGE GR"));
}

TEST(KbxlayoutNew, OposAddsTheModulePrefixesSuffixesAndTheBadReadText) {
    TempDir dir;
    const auto run = runKbxlayout({"new", "--model", "Kesp", "--opos", (dir / "k.kbf").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = readFile(dir / "k.kbf");
    for (const char* line : {"M1H-L+K/A/P/M/R: \"{POSMSR1}\"", "KLT-L+K/A/P/M/R: \"{POSKeylock}\"",
                             "FRT-L+K/A/P/M/R: \"{POSFC}\"", "MSR LRC, : \"Err\\#\""})
        EXPECT_TRUE(contains(text, line)) << line << "\n" << text;
    EXPECT_FALSE(contains(text, "FRH-"));
}

TEST(KbxlayoutNew, ATemplateIsReadFromTheTemplateFolderForTheCountryAndGlidepoint) {
    TempDir dir;
    std::filesystem::create_directories(dir / "LAY" / "TarnA");
    writeFile(dir / "LAY" / "TarnA" / "GRTarnAg.kbf",
              "TYPE TARN\r\n!@KEYLAYER:Normal-Layer\r\nA01-C-S-A-L/P: \"mouse\"\r\n! kept\r\n");
    writeFile(dir / "LAY" / "TarnA" / "GRTarnA.kbf", "TYPE ORSK\r\n");
    const auto run = runKbxlayout({"new", "--template", "Tarn Alpha", "--country", "GR", "--glidepoint", "--templates",
                                   (dir / "LAY").string(), (dir / "out.kbf").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "GRTarnAg.kbf")) << run.out;
    const std::string text = readFile(dir / "out.kbf");
    EXPECT_TRUE(startsWith(text, "TYPE TARN\r\n")) << text;
    EXPECT_TRUE(contains(text, "A01-C-S-A-L/P: \"mouse\"\r\n"));
    EXPECT_TRUE(contains(text, "! kept\r\n"));
}

TEST(KbxlayoutNew, AMissingTemplateFileLeavesTheBuiltInLayoutOfTheButtonsModel) {
    TempDir dir;
    std::filesystem::create_directories(dir / "LAY");
    const auto run = runKbxlayout(
        {"new", "--template", "Gorm", "--templates", (dir / "LAY").string(), (dir / "g.kbf").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(startsWith(readFile(dir / "g.kbf"), "TYPE GORM\r\n"));
    EXPECT_TRUE(contains(run.out, "built-in layout of Gorm"));
}

TEST(KbxlayoutNew, WithoutATemplateFolderTheSourceTreesTemplatesAreRead) {
    const std::filesystem::path shipped = std::filesystem::path(KBX_SOURCE_DIR) / "data" / "LAY" / "Gorm" / "GRGorm.kbf";
    if (!std::filesystem::is_regular_file(shipped)) GTEST_SKIP() << "no template tree in the source tree";
    TempDir dir;
    const auto run = runKbxlayout({"new", "--template", "Gorm", "--country", "GR", (dir / "g.kbf").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "GRGorm.kbf")) << run.out;
    EXPECT_EQ(readFile(dir / "g.kbf"), readFile(shipped));
}

struct NameCase {
    std::vector<std::string> options;
    std::string_view subject;
    std::string_view reason;
};

TEST(KbxlayoutNew, UnknownNamesExitWithTheirCodeAndWriteNothing) {
    const std::vector<NameCase> cases{
        {{"--model", "Quin"}, "Quin", "no such model"},
        {{"--model", ""}, "", "no such model"},
        {{"--template", "Tarnish"}, "Tarnish", "no such template"},
        {{"--model", "Tarn", "--country", "DE"}, "DE", "no such country"},
    };
    for (const NameCase& name : cases) {
        TempDir dir;
        std::vector<std::string> arguments{"new"};
        arguments.insert(arguments.end(), name.options.begin(), name.options.end());
        arguments.push_back((dir / "x.kbf").string());
        const auto run = runKbxlayout(arguments);
        EXPECT_EQ(run.exitCode, exitCode(Outcome::unknownName)) << name.subject;
        EXPECT_TRUE(startsWith(run.err, "kbxlayout: " + std::string(name.subject) + ": " + std::string(name.reason)))
            << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "x.kbf"));
    }
}

TEST(KbxlayoutNew, AMissingTemplateFolderIsReported) {
    TempDir dir;
    const auto run = runKbxlayout(
        {"new", "--template", "Gorm", "--templates", (dir / "none").string(), (dir / "g.kbf").string()});
    EXPECT_EQ(run.exitCode, exitCode(Outcome::inputUnreadable));
    EXPECT_TRUE(contains(run.err, "none: no such folder")) << run.err;
}

TEST(KbxlayoutNew, AnUnwritableOutputIsReportedAndLeavesAnOlderFile) {
    TempDir dir;
    const auto missingFolder = runKbxlayout({"new", "--model", "Tarn", (dir / "no" / "t.kbf").string()});
    EXPECT_EQ(missingFolder.exitCode, exitCode(Outcome::outputUnwritable));
    EXPECT_EQ(missingFolder.err, "kbxlayout: " + (dir / "no" / "t.kbf").string() + ": cannot write the layout file\n");

    std::filesystem::create_directories(dir / "locked");
    writeFile(dir / "locked" / "t.kbf", "old");
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const auto locked = runKbxlayout({"new", "--model", "Tarn", (dir / "locked" / "t.kbf").string()});
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
    if (::geteuid() != 0) {
        EXPECT_EQ(locked.exitCode, exitCode(Outcome::outputUnwritable));
        EXPECT_EQ(readFile(dir / "locked" / "t.kbf"), "old");
    }
}

TEST(KbxlayoutResave, ASecondResaveGivesIdenticalBytes) {
    TempDir dir;
    const auto first = runKbxlayout({"resave", exampleLayout().string(), (dir / "a.kbf").string()});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const auto second = runKbxlayout({"resave", (dir / "a.kbf").string(), (dir / "b.kbf").string()});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    const std::string once = readFile(dir / "a.kbf");
    // The example's DEFINE /K is in every key line it applied to.
    EXPECT_TRUE(contains(once, "A01-C-S-A-L/K/P: \"Brot{Return}\""));
    EXPECT_EQ(readFile(dir / "b.kbf"), once);
}

TEST(KbxlayoutResave, OverTheSameFileKeepsItsContent) {
    TempDir dir;
    ASSERT_EQ(runKbxlayout({"resave", exampleLayout().string(), (dir / "a.kbf").string()}).exitCode, 0);
    const std::string before = readFile(dir / "a.kbf");
    ASSERT_EQ(runKbxlayout({"resave", (dir / "a.kbf").string(), (dir / "a.kbf").string()}).exitCode, 0);
    EXPECT_EQ(readFile(dir / "a.kbf"), before);
}

TEST(KbxlayoutReading, AMissingOrNonFileInputIsReported) {
    TempDir dir;
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::string missing = (dir / "missing.kbf").string();
    const std::vector<Case> cases{
        {{"show", missing}, "kbxlayout: " + missing + ": cannot read the layout file\n"},
        {{"resave", missing, (dir / "out.kbf").string()}, "kbxlayout: " + missing + ": cannot read the layout file\n"},
        {{"show", dir.path().string()}, "kbxlayout: " + dir.path().string() + ": not a file\n"},
        // Once read without end (/dev/zero) or waited on for a writer (a FIFO).
        {{"show", "/dev/zero"}, "kbxlayout: /dev/zero: not a file\n"},
        {{"resave", (dir / "fifo.kbf").string(), (dir / "out.kbf").string()},
         "kbxlayout: " + (dir / "fifo.kbf").string() + ": not a file\n"},
        {{"show", (dir / "huge.kbf").string()},
         "kbxlayout: " + (dir / "huge.kbf").string() + ": cannot read the layout file (larger than 16777216 bytes)\n"},
    };
    ASSERT_EQ(::mkfifo((dir / "fifo.kbf").c_str(), 0600), 0);
    writeFile(dir / "huge.kbf", "");
    std::filesystem::resize_file(dir / "huge.kbf", 16 * 1024 * 1024 + 1);
    for (const Case& c : cases) {
        const auto run = runKbxlayout(c.arguments);
        EXPECT_EQ(run.exitCode, exitCode(Outcome::inputUnreadable)) << c.message;
        EXPECT_EQ(run.err, c.message);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.kbf"));
}

TEST(KbxlayoutShow, ListsTheModelLayersAndEveryProgrammedLayerOfAKey) {
    const auto run = runKbxlayout({"show", exampleLayout().string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(startsWith(run.out, "Model: 2 Kesp (TYPE KESPW/X)\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "  1 Shift-Layer: conditions -C+S-A-L, defaults /P\n"));
    EXPECT_TRUE(contains(run.out,
                         "  A01 \"Brot\"\n"
                         "    Normal-Layer: \"Brot{Return}\" /K/P\n"
                         "    Shift-Layer: \"halbes Brot{Return}\" /K/P\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out, "  A02 \"Br\xC3\xB6tchen\"\n")) << "captions are printed as UTF-8";
    EXPECT_TRUE(contains(run.out, "Kept lines: "));
}

TEST(KbxlayoutShow, AFileWithKeptLinesCountsThem) {
    TempDir dir;
    writeFile(dir / "k.kbf", "TYPE DALO\r\n! one\r\n! two\r\nA01-C-S-A-L: \"x\"\r\n");
    const auto run = runKbxlayout({"show", (dir / "k.kbf").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "Keys placed: 25\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "  A01\n    Normal-Layer: \"x\"")) << run.out;
    EXPECT_TRUE(contains(run.out, "Kept lines: 2\n")) << run.out;
}

TEST(KbxlayoutTemplates, WritesTheTemplateTreeThatNewThenReads) {
    TempDir dir;
    const auto run = runKbxlayout({"templates", (dir / "LAY").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(std::filesystem::is_regular_file(dir / "LAY" / "Tarn" / "USTarn.kbf"));
    const auto made = runKbxlayout(
        {"new", "--template", "Tarn", "--templates", (dir / "LAY").string(), (dir / "t.kbf").string()});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_TRUE(contains(made.out, "USTarn.kbf")) << made.out;
    EXPECT_EQ(readFile(dir / "t.kbf"), readFile(dir / "LAY" / "Tarn" / "USTarn.kbf"));
}

TEST(KbxlayoutTemplates, AFolderThatCannotBeMadeIsReported) {
    TempDir dir;
    writeFile(dir / "file", "x");
    const auto run = runKbxlayout({"templates", (dir / "file" / "LAY").string()});
    EXPECT_EQ(run.exitCode, exitCode(Outcome::templatesFailed));
    EXPECT_TRUE(startsWith(run.err, "kbxlayout: " + (dir / "file" / "LAY").string() + ": ")) << run.err;
}

TEST(KbxlayoutNew, TheBuiltInLayoutOfEveryModelCompiles) {
    for (const kbxdoc::KeyboardModel& model : kbxdoc::keyboardModels()) {
        if (model.name.empty()) continue;
        TempDir dir;
        const std::string source = (dir / "m.kbf").string();
        const auto run = runKbxlayout({"new", "--model", std::string(model.name), "--opos", source});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string log = (dir / "kbxc.out").string();
        const int result = kbxcCompileLayout(source.c_str(), (dir / "m.kbx").string().c_str(), log.c_str(), nullptr);
        const std::string messages = readFile(log);
        EXPECT_EQ(result, 0) << model.name << "\n" << messages;
        EXPECT_FALSE(contains(messages, "ERROR")) << model.name << "\n" << messages;
    }
}

}  // namespace
}  // namespace kbxlayout::testing
