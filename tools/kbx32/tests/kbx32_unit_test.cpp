#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tools/kbx32/command_line.h"
#include "tools/kbx32/port_diagnosis.h"
#include "tools/kbx32/help.h"
#include "tools/kbx32/messages.h"
#include "tools/kbx32/outcomes.h"
#include "tools/kbx32/paths.h"
#include "tests/support/files.h"
#include "tests/support/manual_page.h"
#include "cli/exit_status.h"

namespace kbx32 {
namespace {

struct ExtensionCase {
    const char* path;
    const char* withTxt;
    const char* compiled;
};

TEST(Paths, OnlyTheFileNameHasAnExtension) {
    const std::array cases{
        ExtensionCase{"/home/u/shop.kbf", "/home/u/shop.TXT", "/home/u/shop.kbf"},
        ExtensionCase{"/home/u/shop.KBF", "/home/u/shop.TXT", "/home/u/shop.KBF"},
        ExtensionCase{"/home/u/shop", "/home/u/shop.TXT", "/home/u/shop.kbf"},
        ExtensionCase{"/home/v1.2/layout", "/home/v1.2/layout.TXT", "/home/v1.2/layout.kbf"},
        ExtensionCase{"/home/v1.2/layout.old.kbf", "/home/v1.2/layout.old.TXT", "/home/v1.2/layout.old.kbf"},
        ExtensionCase{".KBF", ".TXT", ".KBF"},
        ExtensionCase{"/tmp/.KBF", "/tmp/.TXT", "/tmp/.KBF"},
        ExtensionCase{"shop", "shop.TXT", "shop.kbf"},
        ExtensionCase{"/tmp/", "/tmp/.TXT", "/tmp/.kbf"},
    };
    for (const ExtensionCase& c : cases) {
        EXPECT_EQ(withExtension(c.path, ".TXT"), c.withTxt) << c.path;
        EXPECT_EQ(compiledSourcePath(c.path), c.compiled) << c.path;
    }
}

Request parse(std::vector<const char*> arguments) { return parseArguments(arguments); }

TEST(CommandLine, SourceAndCompIsACompileOnlyJobWithTheTxtLog) {
    const Request request = parse({"/tmp/TMP.KBF", "COMP"});
    ASSERT_EQ(request.kind, Request::Kind::run);
    EXPECT_EQ(request.job.source, "/tmp/TMP.KBF");
    EXPECT_TRUE(request.job.compileOnly());
    EXPECT_EQ(request.job.logPath(), "/tmp/TMP.TXT");
}

TEST(CommandLine, AnyOtherThirdFieldIsADownloadWithTheLogTheEditorReads) {
    for (const char* destination : {"AT", "USB", "COM2:19200,N,7,1", "comp", ""}) {
        const Request request = parse({"/opt/key/TMP0815.KBF", destination});
        ASSERT_EQ(request.kind, Request::Kind::run) << destination;
        EXPECT_FALSE(request.job.compileOnly()) << destination;
        EXPECT_EQ(request.job.logPath(), "/opt/key/TMP0815.LOG") << destination;
    }
}

TEST(CommandLine, WrongOperandCountsAreUsageErrors) {
    EXPECT_EQ(parse({}).kind, Request::Kind::usage);
    EXPECT_EQ(parse({"a.kbf"}).kind, Request::Kind::usage);
    EXPECT_EQ(parse({"a.kbf", "COMP", "extra"}).kind, Request::Kind::usage);
    EXPECT_FALSE(parse({"a.kbf"}).problem.empty());
}

// An unknown option is refused before anything runs (no log is written for
// a source named "--bogus"); after "--" a dash starts a file name.
TEST(CommandLine, UnknownOptionsAreRefusedAndDoubleDashEndsTheOptions) {
    EXPECT_EQ(parse({"--bogus", "COMP"}).problem, "unknown option --bogus");
    EXPECT_EQ(parse({"-x", "COMP"}).kind, Request::Kind::usage);
    const Request literal = parse({"--", "--odd.kbf", "COMP"});
    EXPECT_TRUE(literal.problem.empty()) << literal.problem;
    EXPECT_EQ(literal.job.source, "--odd.kbf");
    EXPECT_TRUE(literal.job.compileOnly());
}

TEST(CommandLine, UploadTakesAnImageAndAnInterface) {
    for (const Request& request : {parse({"--upload", "memory.kbx", "COM1:9600,O,8"}),
                                   parse({"--upload=memory.kbx", "COM1:9600,O,8"})}) {
        ASSERT_EQ(request.kind, Request::Kind::upload);
        EXPECT_EQ(request.image, "memory.kbx");
        EXPECT_EQ(request.interfaceString, "COM1:9600,O,8");
    }
    EXPECT_EQ(parse({"--upload", "memory.kbx"}).kind, Request::Kind::usage);
    EXPECT_EQ(parse({"--upload", "a", "b", "c"}).kind, Request::Kind::usage);
}

TEST(CommandLine, HeaderTakesAnInterface) {
    for (const Request& request : {parse({"--header", "COM1"}), parse({"--header=COM1"})}) {
        ASSERT_EQ(request.kind, Request::Kind::header);
        EXPECT_EQ(request.interfaceString, "COM1");
    }
    EXPECT_EQ(parse({"--header"}).kind, Request::Kind::usage);
    EXPECT_EQ(parse({"--header", "COM1", "x"}).kind, Request::Kind::usage);
}

TEST(CommandLine, PortNamesTheDeviceOfTheInterfacesSerialPortForTheRun) {
    const Request run = parse({"--port", "/dev/ttyUSB0", "layout.kbf", "com2:9600,O,8"});
    EXPECT_EQ(run.kind, Request::Kind::run);
    EXPECT_EQ(run.portDevice, "/dev/ttyUSB0");
    EXPECT_EQ(serialPortNameOf(run.interface()), "COM2");
    const Request header = parse({"--port", "/dev/ttyACM0", "--header", "COM 1"});
    EXPECT_EQ(header.kind, Request::Kind::header);
    EXPECT_EQ(serialPortNameOf(header.interface()), "COM1");
    EXPECT_EQ(parse({"--port", "/dev/ttyUSB0", "--header", "AT"}).problem,
              "--port needs a serial interface string (COMn)");
    EXPECT_EQ(parse({"--port"}).problem, "option --port needs a value");
    EXPECT_EQ(parse({"--port=", "a.kbf", "COM1"}).problem, "--port takes a device");
    // Options and operands may be mixed, as getopt_long permutes them.
    const Request behind = parse({"layout.kbf", "COM2", "--port=/dev/ttyUSB1"});
    EXPECT_EQ(behind.kind, Request::Kind::run);
    EXPECT_EQ(behind.portDevice, "/dev/ttyUSB1");
    EXPECT_EQ(parse({"--list-ports"}).kind, Request::Kind::listPorts);
    EXPECT_EQ(parse({"--list-ports", "x"}).kind, Request::Kind::usage);
    EXPECT_EQ(parse({"--port", "/dev/ttyS0", "--list-ports"}).kind, Request::Kind::usage);
}

TEST(CommandLine, OneOperationAtATime) {
    const Request both = parse({"--upload=a.kbx", "--header=COM1", "COM1"});
    EXPECT_EQ(both.kind, Request::Kind::usage);
    EXPECT_NE(both.problem.find("exclude each other"), std::string::npos) << both.problem;
    EXPECT_EQ(parse({"--if-changed", "a.kbf", "COMP"}).kind, Request::Kind::usage);
    EXPECT_EQ(parse({"--if-changed", "a.kbf", "COM1"}).kind, Request::Kind::ifChanged);
}

TEST(CommandLine, MessagesAsksForTheLineProtocolAndVersionForTheVersion) {
    EXPECT_TRUE(parse({"--messages", "a.kbf", "COMP"}).messageLines);
    EXPECT_FALSE(parse({"a.kbf", "COMP"}).messageLines);
    EXPECT_EQ(parse({"--version"}).kind, Request::Kind::version);
    EXPECT_EQ(parse({"--upload"}).problem, "option --upload needs a value");
    EXPECT_EQ(parse({"--messages=yes", "a.kbf", "COMP"}).problem, "option --messages takes no value");
}

TEST(CommandLine, HelpWinsWhereverItStands) {
    EXPECT_EQ(parse({"--help"}).kind, Request::Kind::help);
    EXPECT_EQ(parse({"-h"}).kind, Request::Kind::help);
    EXPECT_EQ(parse({"a.kbf", "COMP", "--help"}).kind, Request::Kind::help);
}

TEST(Messages, LinesCarryTheKindAndTheFixedOrGivenValue) {
    EXPECT_EQ(messageLine(Message::progress, 42), "kbx_message 0 42\n");
    EXPECT_EQ(messageLine(Message::compilePhase), "kbx_message 2 0\n");
    EXPECT_EQ(messageLine(Message::compileError, 7), "kbx_message 4 -1\n");
    EXPECT_EQ(messageLine(Message::outputNotOpened), "kbx_message 4 -3\n");
    EXPECT_EQ(messageLine(Message::downloadNotPossible), "kbx_message 5 -5\n");
}

TEST(Messages, EveryKindAndValueIsUsedOnce) {
    std::set<std::pair<int, int>> seen;
    for (const MessageRow& row : kMessages)
        EXPECT_TRUE(seen.insert({row.kind, row.value.value_or(0)}).second) << row.kind << " " << row.value.value_or(0);
}

TEST(Outcomes, ExitCodesAreDistinctAndFailuresTellTheDialog) {
    std::set<int> codes;
    for (const OutcomeRow& row : kOutcomes) {
        EXPECT_TRUE(codes.insert(row.exitCode).second) << row.exitCode;
        // A replaced image is a success that says something changed.
        // Nothing can tell the dialog about output that cannot be written.
        const bool fails = row.outcome != Outcome::success && row.outcome != Outcome::usage &&
                           row.outcome != Outcome::imageReplaced && row.outcome != Outcome::outputNotWritten;
        EXPECT_EQ(row.failure.has_value(), fails) << row.exitCode;
        EXPECT_EQ(row.exitCode == 0, row.outcome == Outcome::success);
    }
    EXPECT_EQ(outcomeRow(Outcome::usage).exitCode, 64);
}

TEST(Help, ListsEveryMessageAndExitCode) {
    const std::string help = helpText();
    for (const MessageRow& row : kMessages) {
        const std::string_view shown = row.dialogText.empty() ? row.description : row.dialogText;
        EXPECT_NE(help.find(shown), std::string::npos) << shown;
    }
    // Long descriptions are wrapped: a line end and the indentation stand for a space.
    std::string unwrapped;
    for (const char c : help) {
        if (c == '\n') unwrapped += ' ';
        else if (c != ' ' || unwrapped.empty() || unwrapped.back() != ' ') unwrapped += c;
    }
    for (const OutcomeRow& row : kOutcomes)
        EXPECT_NE(unwrapped.find(row.description), std::string::npos) << row.description;
    EXPECT_NE(help.find("kbx_message KIND VALUE"), std::string::npos);
    for (const OptionRow& row : kOptionRows) EXPECT_NE(help.find(row.shown), std::string::npos) << row.shown;
}

// The manual page is written by hand; it has to agree with the tables.
TEST(Help, TheManualPageNamesEveryOptionAndExitCode) {
    const std::string manual = kbxtest::readFile(std::filesystem::path(KBX_SOURCE_DIR) / "doc/man/kbx32.1");
    const auto inRoff = [](std::string_view text) {
        std::string escaped;
        for (const char c : text) escaped += c == '-' ? std::string("\\-") : std::string(1, c);
        return escaped;
    };
    for (const OptionRow& row : kOptionRows) {
        const std::string name = inRoff(std::string("--") + row.option.longName);
        EXPECT_NE(manual.find(name), std::string::npos) << name;
    }
    EXPECT_EQ(kbxtest::manualSection(manual, "EXIT STATUS"),
              kbxtest::manualExitStatus(cli::exitCodesOf(kOutcomes, &OutcomeRow::exitCode, &OutcomeRow::description)));
}

}  // namespace
}  // namespace kbx32
