// kbx32 as the editor starts it: a child process with a source and COMP (or
// an interface), reporting on standard output and leaving image and log
// beside the source.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;
using kbxtest::ProcessResult;
using kbxtest::TempDir;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kExample = fs::path(KBX_SOURCE_DIR) / "data" / "examples" / "bakery.kbf";

constexpr char kCompilePhase[] = "kbx_message 2 0";
constexpr char kPhaseFinished[] = "kbx_message 1 0";
constexpr char kDownloadPhase[] = "kbx_message 3 0";
constexpr char kProgressPrefix[] = "kbx_message 0 ";

constexpr char kSmallLayout[] = "TYPE MIRK\nA01: \"a\"\n";

ProcessResult kbx32(const std::vector<std::string>& arguments, const fs::path& workingDirectory = {}) {
    return kbxtest::runProgram(kKbx32, arguments, {.workingDirectory = workingDirectory});
}

std::vector<std::string> messages(const ProcessResult& run) { return kbxtest::splitLines(run.out); }

std::vector<std::string> withoutProgress(const std::vector<std::string>& lines) {
    std::vector<std::string> rest;
    for (const std::string& line : lines)
        if (line.rfind(kProgressPrefix, 0) != 0) rest.push_back(line);
    return rest;
}

std::vector<int> percentages(const std::vector<std::string>& lines) {
    std::vector<int> values;
    for (const std::string& line : lines)
        if (line.rfind(kProgressPrefix, 0) == 0) values.push_back(std::stoi(line.substr(sizeof kProgressPrefix - 1)));
    return values;
}

// Every line is "kbx_message KIND VALUE": nothing else reaches standard output.
void expectOnlyMessageLines(const ProcessResult& run) {
    for (const std::string& line : messages(run)) {
        int kind = 0;
        int value = 0;
        char rest = 0;
        EXPECT_EQ(std::sscanf(line.c_str(), "kbx_message %d %d%c", &kind, &value, &rest), 2) << line;
    }
    EXPECT_TRUE(run.out.empty() || run.out.back() == '\n');
}

void expectAnImage(const fs::path& image) {
    ASSERT_TRUE(fs::exists(image)) << image;
    const std::vector<unsigned char> bytes = kbxtest::readBytes(image);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "Vyrn");
    EXPECT_EQ(std::size_t(bytes[6] << 8 | bytes[7]), bytes.size()) << "length field";
}

class Kbx32 : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(Kbx32, CompilesTheExampleLayoutBesideItself) {
    const fs::path source = dir / "bakery.kbf";
    fs::copy_file(kExample, source);

    const ProcessResult run = kbx32({source.string(), "COMP"});

    EXPECT_EQ(run.exitCode, 0) << run.err << kbxtest::readFile(dir / "bakery.TXT");
    EXPECT_EQ(run.err, "");
    expectOnlyMessageLines(run);
    EXPECT_EQ(withoutProgress(messages(run)),
              (std::vector<std::string>{kCompilePhase, kPhaseFinished, kDownloadPhase, kPhaseFinished}));
    const std::vector<int> values = percentages(messages(run));
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(values.back(), 100);
    EXPECT_EQ(messages(run)[1], "kbx_message 0 0") << "progress comes after the compile phase begins";
    EXPECT_EQ(kbxtest::readFile(dir / "bakery.TXT"), "OK\n");
    expectAnImage(dir / "bakery.kbx");
}

TEST_F(Kbx32, SendsEachPercentageOnceInRisingOrder) {
    std::string source = "TYPE KESP\n";
    for (int i = 0; i < 1000; ++i) source += "! a comment line\n";
    kbxtest::writeFile(dir / "long.kbf", source);

    const ProcessResult run = kbx32({(dir / "long.kbf").string(), "COMP"});

    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<int> values = percentages(messages(run));
    ASSERT_GE(values.size(), 2u);
    for (std::size_t i = 1; i < values.size(); ++i) EXPECT_LT(values[i - 1], values[i]) << i;
    EXPECT_LE(values.size(), 101u);
}

TEST_F(Kbx32, CompileErrorsAreInTheTxtLogAndReportedAsKindFourMinusOne) {
    kbxtest::writeFile(dir / "wrong.kbf", "TYPE XY\nA01: \"a\"\n");

    const ProcessResult run = kbx32({(dir / "wrong.kbf").string(), "COMP"});

    EXPECT_EQ(run.exitCode, 1);
    expectOnlyMessageLines(run);
    EXPECT_EQ(withoutProgress(messages(run)), (std::vector<std::string>{kCompilePhase, "kbx_message 4 -1"}));
    const std::string log = kbxtest::readFile(dir / "wrong.TXT");
    EXPECT_NE(log.find("001: TYPE XY\n"), std::string::npos) << log;
    EXPECT_NE(log.find("ERROR (line 1): unknown type\n"), std::string::npos) << log;
    EXPECT_NE(log.find("1 error(s)\n"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(dir / "wrong.kbx"));
    EXPECT_NE(run.err.find("Ein Compilierfehler ist aufgetreten"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("wrong.TXT"), std::string::npos) << run.err;
}

TEST_F(Kbx32, MissingSourceIsReportedAsKindFourMinusTwoAndReplacesAnOldLog) {
    for (const char* name : {"missing.kbf", "missing", "folder.kbf"}) {
        SCOPED_TRACE(name);
        fs::create_directories(dir / "folder.kbf");
        const fs::path log = (dir / name).replace_extension(".TXT");
        kbxtest::writeFile(log, "OK\n");  // what a successful earlier run left

        const ProcessResult run = kbx32({(dir / name).string(), "COMP"});

        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(withoutProgress(messages(run)), (std::vector<std::string>{kCompilePhase, "kbx_message 4 -2"}));
        EXPECT_NE(kbxtest::readFile(log), "OK\n");
        EXPECT_NE(run.err.find("KBF - Datei wurde nicht gefunden"), std::string::npos) << run.err;
    }
}

TEST_F(Kbx32, LogThatCannotBeOpenedIsReportedAsKindFourMinusThree) {
    kbxtest::writeFile(dir / "shop.kbf", kSmallLayout);
    fs::create_directory(dir / "shop.TXT");  // not even root can write a file over a folder

    const ProcessResult run = kbx32({(dir / "shop.kbf").string(), "COMP"});

    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(messages(run), (std::vector<std::string>{kCompilePhase, "kbx_message 4 -3"}));
    EXPECT_FALSE(fs::exists(dir / "shop.kbx"));
    EXPECT_NE(run.err.find("Ausgabedatei konnte nicht geöffnet werden"), std::string::npos) << run.err;
}

TEST_F(Kbx32, ReadOnlyFolderIsReportedAsKindFourMinusThree) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const fs::path folder = dir / "readonly";
    fs::create_directory(folder);
    kbxtest::writeFile(folder / "shop.kbf", kSmallLayout);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);

    const ProcessResult run = kbx32({(folder / "shop.kbf").string(), "COMP"});
    fs::permissions(folder, fs::perms::owner_all);

    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(messages(run).back(), "kbx_message 4 -3");
}

struct NamingCase {
    const char* file;      // created in the folder
    const char* argument;  // given to kbx32, relative to the folder
    const char* log;
    const char* image;
};

TEST_F(Kbx32, LogAndImageTakeTheSourcesNameWithTheirExtension) {
    fs::create_directory(dir / "v1.2");
    const NamingCase cases[] = {
        {"lower.kbf", "lower.kbf", "lower.TXT", "lower.kbx"},
        {"UPPER.KBF", "UPPER.KBF", "UPPER.TXT", "UPPER.kbx"},
        {"v1.2/plain.kbf", "v1.2/plain", "v1.2/plain.TXT", "v1.2/plain.kbx"},
        {".KBF", ".KBF", ".TXT", ".kbx"},  // an untitled layout as the editor saves it
    };
    for (const NamingCase& c : cases) {
        SCOPED_TRACE(c.argument);
        kbxtest::writeFile(dir / c.file, kSmallLayout);

        const ProcessResult run = kbx32({c.argument, "COMP"}, dir.path());

        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(kbxtest::readFile(dir / c.log), "OK\n");
        expectAnImage(dir / c.image);
    }
}

TEST_F(Kbx32, DownloadToAPortThatDoesNotExistIsReportedAfterCompiling) {
    kbxtest::writeFile(dir / "TMP0815.KBF", kSmallLayout);
    ::setenv("KBX_COM2", (dir / "no-such-port").c_str(), 1);

    const ProcessResult run = kbx32({(dir / "TMP0815.KBF").string(), "COM2:19200,N,7,1"});
    ::unsetenv("KBX_COM2");

    EXPECT_EQ(run.exitCode, 6);
    expectOnlyMessageLines(run);
    EXPECT_EQ(withoutProgress(messages(run)),
              (std::vector<std::string>{kCompilePhase, kPhaseFinished, kDownloadPhase, "kbx_message 5 -2"}));
    // The log the editor shows after a download: the compiler's, then the
    // library's message, then the device and the system's reason.
    EXPECT_EQ(kbxtest::readFile(dir / "TMP0815.LOG"),
              "OK\nCan't open COM2.\n" + (dir / "no-such-port").string() + ": No such file or directory\n");
}

TEST_F(Kbx32, UnknownInterfaceIsReportedAsWrongInterface) {
    kbxtest::writeFile(dir / "layout.kbf", kSmallLayout);
    const ProcessResult run = kbx32({(dir / "layout.kbf").string(), "LPT1"});
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_EQ(withoutProgress(messages(run)),
              (std::vector<std::string>{kCompilePhase, kPhaseFinished, kDownloadPhase, "kbx_message 5 -3"}));
    EXPECT_EQ(kbxtest::readFile(dir / "layout.LOG"), "OK\nUnknown interface!\n");
}

TEST_F(Kbx32, InterfaceStringLongerThanTheMessageBufferIsRefused) {
    kbxtest::writeFile(dir / "layout.kbf", kSmallLayout);
    const ProcessResult run = kbx32({(dir / "layout.kbf").string(), "COM1:" + std::string(200, '9')});
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_NE(run.err.find("longer than 127 characters"), std::string::npos) << run.err;
}

TEST_F(Kbx32, MissingCompilerLibraryIsACompileFailureWithANoteInTheLog) {
    // kbx32 and the platform library alone, without libkbxc32.so beside them.
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "lib");
    fs::copy_file(kKbx32, dir / "bin" / "kbx32");
    fs::copy_file(fs::path(KBX_LIBRARY_DIR) / "libkbxplatform.so.1", dir / "lib" / "libkbxplatform.so.1");
    kbxtest::writeFile(dir / "shop.kbf", kSmallLayout);

    const ProcessResult run = kbxtest::runProgram(dir / "bin" / "kbx32", {(dir / "shop.kbf").string(), "COMP"});

    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_EQ(messages(run), (std::vector<std::string>{kCompilePhase, "kbx_message 4 -1"}));
    EXPECT_NE(run.err.find("libkbxc32.so"), std::string::npos) << run.err;
    EXPECT_NE(kbxtest::readFile(dir / "shop.TXT").find("libkbxc32.so"), std::string::npos);
}

TEST_F(Kbx32, WrongArgumentCountsAreUsageErrorsThatTouchNothing) {
    kbxtest::writeFile(dir / "shop.kbf", kSmallLayout);
    const std::vector<std::vector<std::string>> calls{{}, {"shop.kbf"}, {"shop.kbf", "COMP", "AT"}};
    for (const auto& arguments : calls) {
        SCOPED_TRACE(arguments.size());
        const ProcessResult run = kbx32(arguments, dir.path());
        EXPECT_EQ(run.exitCode, 64);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Usage: kbx32 SOURCE COMP"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(dir / "shop.TXT"));
    EXPECT_FALSE(fs::exists(dir / "shop.kbx"));
}

TEST_F(Kbx32, HelpDescribesTheMessageLinesAndExitCodes) {
    for (const char* option : {"--help", "-h"}) {
        const ProcessResult run = kbx32({option});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        for (const char* part : {"kbx32 SOURCE COMP", "kbx_message KIND VALUE", "KBF - Datei wurde nicht gefunden",
                                 "Exit status", "64"})
            EXPECT_NE(run.out.find(part), std::string::npos) << option << ": " << part;
    }
}

}  // namespace
