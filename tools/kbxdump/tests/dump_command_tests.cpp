#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tools/kbxdump/dump_command.h"
#include "tools/kbxdump/tests/image_builder.h"

namespace kbxdump::test {
namespace {

constexpr std::string_view kHelp = "Usage: kbxdump IMAGE.kbx\n(layout)\n";

struct DumpRun {
    int exitCode;
    std::string out;
    std::string err;
};

// Usage problems go to standard error itself, the other messages to `err`:
// the run collects both.
DumpRun run(std::vector<std::string_view> arguments) {
    std::ostringstream out;
    std::ostringstream err;
    testing::internal::CaptureStderr();
    const int code = runDump(arguments, kHelp, out, err);
    const std::string usage = testing::internal::GetCapturedStderr();
    return {code, out.str(), err.str() + usage};
}

void writeBytes(const std::filesystem::path& path, const Bytes& bytes) {
    kbxtest::writeFile(path, std::string(bytes.begin(), bytes.end()));
}

TEST(DumpCommand, PrintsAGoodImageAndExitsWithZero) {
    kbxtest::TempDir dir;
    writeBytes(dir / "mirk.kbx", mirkBuilder().build());
    const DumpRun r = run({(dir / "mirk.kbx").native()});
    EXPECT_EQ(r.exitCode, kExitPrinted);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(0, 18), "magic      \"Vyrn\"\n");
    EXPECT_NE(r.out.find("  model    6 MIRK\n"), std::string::npos);
}

TEST(DumpCommand, ReportsATruncatedImageWithExitOneAndNoPrintout) {
    kbxtest::TempDir dir;
    Bytes bytes = mirkBuilder().build();
    bytes.resize(302);
    const std::string path = (dir / "image.kbx").native();
    writeBytes(path, bytes);
    const DumpRun r = run({path});
    EXPECT_EQ(r.exitCode, kExitDamagedImage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "kbxdump: " + path + ": truncated at offset 302 (header says 317 bytes)\n");
}

TEST(DumpCommand, ReportsAFileLongerThanAnyImage) {
    kbxtest::TempDir dir;
    Bytes bytes = mirkBuilder().build();
    bytes.resize(100000, 0);
    writeBytes(dir / "big.kbx", bytes);
    const DumpRun r = run({(dir / "big.kbx").native()});
    EXPECT_EQ(r.exitCode, kExitDamagedImage);
    EXPECT_NE(r.err.find(": longer than any image (at most 65535 bytes)\n"), std::string::npos);
}

TEST(DumpCommand, ReportsAMissingOrUnreadableFileWithExitTwo) {
    kbxtest::TempDir dir;
    const std::string missing = (dir / "missing.kbx").native();
    DumpRun r = run({missing});
    EXPECT_EQ(r.exitCode, kExitUsageOrFile);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "kbxdump: " + missing + ": cannot open: No such file or directory\n");

    r = run({dir.path().native()});
    EXPECT_EQ(r.exitCode, kExitUsageOrFile);
    EXPECT_EQ(r.err, "kbxdump: " + dir.path().native() + ": cannot read: Is a directory\n");

    // A FIFO once blocked the open, /dev/zero was read to the limit.
    const std::string fifo = (dir / "fifo.kbx").native();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        r = run({path});
        EXPECT_EQ(r.exitCode, kExitUsageOrFile);
        EXPECT_EQ(r.err, "kbxdump: " + path + ": cannot open: not a regular file\n");
    }
}

struct WrongLine {
    std::vector<std::string_view> arguments;
    std::string_view problem;
};

TEST(DumpCommand, RefusesWrongArgumentsWithExitTwoAndTheTryHelpLine) {
    const std::vector<WrongLine> wrong{
        {{}, "no image given"},
        {{"a.kbx", "b.kbx"}, "unexpected argument \"b.kbx\""},
        {{"-x"}, "unknown option -x"},
        {{"--bogus", "a.kbx"}, "unknown option --bogus"},
        {{"a.kbx", "--help=yes"}, "option --help takes no value"},
        {{""}, "the image path is empty"},
        {{"--", "a", "b"}, "unexpected argument \"b\""},
    };
    for (const WrongLine& line : wrong) {
        const DumpRun r = run(line.arguments);
        EXPECT_EQ(r.exitCode, kExitUsageOrFile) << line.problem;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "kbxdump: " + std::string(line.problem) + "\nTry 'kbxdump --help' for more information.\n");
    }
}

TEST(DumpCommand, TellsItsVersion) {
    const DumpRun r = run({"--version"});
    EXPECT_EQ(r.exitCode, kExitPrinted);
    EXPECT_EQ(r.out, "kbxdump " KBX_VERSION "\n");
    EXPECT_EQ(r.err, "");
}

TEST(DumpCommand, PrintsItsHelpWithExitZero) {
    for (std::string_view option : {"--help", "-h", "--he"}) {
        const DumpRun r = run({option});
        EXPECT_EQ(r.exitCode, kExitPrinted);
        EXPECT_EQ(r.out, kHelp);
        EXPECT_EQ(r.err, "");
    }
}

TEST(DumpCommand, TakesAPathThatStartsWithADashAfterTwoDashes) {
    kbxtest::TempDir dir;
    writeBytes(dir / "-image.kbx", mirkBuilder().build());
    const std::filesystem::path current = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const DumpRun asOption = run({"-image.kbx"});
    const DumpRun asPath = run({"--", "-image.kbx"});
    std::filesystem::current_path(current);
    EXPECT_EQ(asOption.exitCode, kExitUsageOrFile);
    EXPECT_EQ(asOption.out, "");
    EXPECT_EQ(asPath.exitCode, kExitPrinted) << asPath.err;
    EXPECT_EQ(asPath.out.substr(0, 18), "magic      \"Vyrn\"\n");
}

}  // namespace
}  // namespace kbxdump::test
