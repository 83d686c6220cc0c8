#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <future>
#include <sys/stat.h>
#include <random>
#include <unistd.h>

#include "compiler/driver.h"
#include "compiler/paths.h"
#include "compiler/tests/compile_run.h"

namespace kbxtest {
namespace {

namespace fs = std::filesystem;

// Runs a test body inside a fresh current folder.
class InFolder {
public:
    InFolder() : previous_(fs::current_path()) { fs::current_path(folder_.path()); }
    ~InFolder() { fs::current_path(previous_); }
    const TempDir& folder() const { return folder_; }

private:
    TempDir folder_;
    fs::path previous_;
};

TEST(Paths, ExtensionsBelongToTheFileNameOnly) {
    EXPECT_EQ(kbxc::withDefaultExtension("dir/layout", ".kbf"), "dir/layout.kbf");
    EXPECT_EQ(kbxc::withDefaultExtension("v1.2/layout", ".kbx"), "v1.2/layout.kbx");
    EXPECT_EQ(kbxc::withDefaultExtension("dir/layout.txt", ".kbf"), "dir/layout.txt");
    EXPECT_EQ(kbxc::withoutExtension("v1.2/layout"), "v1.2/layout");
    EXPECT_EQ(kbxc::withoutExtension("v1.2/layout.kbf"), "v1.2/layout");
    EXPECT_EQ(kbxc::withoutExtension("a.b.c"), "a.b");
    EXPECT_FALSE(kbxc::hasFileName("dir/"));
    EXPECT_TRUE(kbxc::hasFileName("dir/x"));
    EXPECT_EQ(kbxc::withDefaultFileName("logs/", "kbxc"), "logs/kbxc");
}

TEST(Driver, SourceWithoutExtensionFindsKbfAndWritesKbxBesideItAndLogHere) {
    InFolder here;
    fs::create_directory("v1.2");
    writeFile("v1.2/layout.kbf", "TYPE MIRK\n");
    EXPECT_EQ(kbxcCompileLayout("v1.2/layout", nullptr, nullptr, nullptr), 0);
    EXPECT_TRUE(fs::exists("v1.2/layout.kbx"));
    EXPECT_EQ(readFile("kbxc.out"), "OK\n");
}

TEST(Driver, OutputWithoutFileNameFallsBackToTheSourceName) {
    InFolder here;
    fs::create_directory("out");
    writeFile("layout.kbf", "TYPE MIRK\n");
    EXPECT_EQ(kbxcCompileLayout("layout.kbf", "out/", "logs", nullptr), 0);
    EXPECT_TRUE(fs::exists("layout.kbx"));
    EXPECT_TRUE(fs::exists("logs.out"));
    EXPECT_EQ(kbxcCompileLayout("layout.kbf", "out/image", "out/", nullptr), 0);
    EXPECT_TRUE(fs::exists("out/image.kbx"));
    EXPECT_TRUE(fs::exists("out/kbxc.out"));
}

TEST(Driver, MissingSourceName) {
    InFolder here;
    EXPECT_EQ(kbxcCompileLayout(nullptr, nullptr, nullptr, nullptr), -2);
    EXPECT_EQ(readFile("kbxc.out"), "ERROR: filename expected\n  kbxc <filename[.kbf]>");
    EXPECT_EQ(kbxcCompileLayout("somewhere/", nullptr, "x.log", nullptr), -2);
}

TEST(Driver, LogThatCannotBeOpenedWritesNothing) {
    InFolder here;
    writeFile("layout.kbf", "TYPE MIRK\n");
    EXPECT_EQ(kbxcCompileLayout("layout.kbf", nullptr, "no/such/folder/log.txt", nullptr), -3);
    EXPECT_FALSE(fs::exists("layout.kbx"));
}

TEST(Driver, MissingSourceFile) {
    InFolder here;
    EXPECT_EQ(kbxcCompileLayout("absent", nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(readFile("kbxc.out"), "FATAL: 'absent.kbf' not found\n");
}

// A FIFO once blocked the compiler's open; /dev/zero was one endless line.
TEST(Driver, SourcesThatAreNoFilesAreNotFound) {
    InFolder here;
    ASSERT_EQ(::mkfifo("fifo.kbf", 0600), 0);
    fs::create_symlink("/dev/zero", "zero.kbf");
    for (const std::string& name : {std::string("fifo.kbf"), std::string("zero.kbf")}) {
        auto compiling = std::async(std::launch::async, [&] { return kbxcCompileLayout(name.c_str(), nullptr, nullptr, nullptr); });
        if (compiling.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << name << ": the compiler did not return";
            std::abort();
        }
        EXPECT_EQ(compiling.get(), -1);
        EXPECT_EQ(readFile("kbxc.out"), "FATAL: '" + name + "' not found\n");
    }
}

// /dev/full takes the log's open and refuses its writes with ENOSPC, as a
// full disk does (the kernel's drivers/char/mem.c, write_full). The log is a
// link to it, since a log name without extension gets ".out".
TEST(Driver, ALogThatCannotBeWrittenIsReportedAsOneThatCannotBeOpened) {
    InFolder here;
    writeFile("good.kbf", "TYPE MIRK\n");
    writeFile("bad.kbf", "TYPE XY\n");
    fs::create_symlink("/dev/full", "full.TXT");
    for (const char* source : {"good.kbf", "bad.kbf", "absent.kbf"}) {
        errno = 0;
        EXPECT_EQ(kbxcCompileLayout(source, nullptr, "full.TXT", nullptr), -3) << source;
        EXPECT_EQ(errno, ENOSPC) << source;
    }
}

TEST(Driver, EmptySourceHasNothingToDo) {
    const CompileRun run = compile("");
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(run.log, "ERROR: Nothing to do!");
    EXPECT_FALSE(run.imageWritten);
}

TEST(Driver, ErrorRecordsEchoTheLineThenNameItAndCountAtTheEnd) {
    const CompileRun run = compile("TYPE MIRK\r\n! fine\r\nTYPE XY\r\nLANGUAGE ZZ");
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(run.log,
              "003: TYPE XY\n"
              "ERROR (line 3): unknown type\n"
              "004: LANGUAGE ZZ\n"
              "ERROR (line 4): unknown language\n"
              "2 error(s)\n");
    EXPECT_FALSE(run.imageWritten);
}

TEST(Driver, SeveralErrorsInOneLineRepeatBothRecords) {
    const CompileRun run = compile("LANGUAGE XX,Q\n");
    EXPECT_EQ(run.log,
              "001: LANGUAGE XX,Q\nERROR (line 1): unknown language\n"
              "001: LANGUAGE XX,Q\nERROR (line 1): unknown sign. 'S' or 'C' expected\n"
              "2 error(s)\n");
}

TEST(Driver, ProgressRisesBelowHundredAndEndsWithHundredOnce) {
    const CompileRun run = compile("TYPE MIRK\nLANGUAGE GR\nSOUND 33,40,100,400\nA01: \"a\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.progress, (std::vector<int>{0, 25, 50, 75, 100}));
}

TEST(Driver, NoFinalProgressOnFailure) {
    const CompileRun run = compile("TYPE XY\nTYPE MIRK\n");
    EXPECT_EQ(run.progress, (std::vector<int>{0, 50}));
}

TEST(Driver, FailedCompilationKeepsTheOlderImage) {
    TempDir folder;
    const std::string source = (folder / "layout.kbf").string();
    const std::string image = (folder / "layout.kbx").string();
    const std::string log = (folder / "log.out").string();
    writeFile(source, "TYPE MIRK\n");
    ASSERT_EQ(kbxcCompileLayout(source.c_str(), image.c_str(), log.c_str(), nullptr), 0);
    const auto before = readBytes(image);
    writeFile(source, "TYPE MIRK\nMEMORY 512\nA01: \"" + std::string(120, 'x') + "\"\n");
    EXPECT_EQ(kbxcCompileLayout(source.c_str(), image.c_str(), log.c_str(), nullptr), -1);
    EXPECT_EQ(readBytes(image), before);
    writeFile(source, "TYPE XY\n");
    EXPECT_EQ(kbxcCompileLayout(source.c_str(), image.c_str(), log.c_str(), nullptr), -1);
    EXPECT_EQ(readBytes(image), before);
}

TEST(Driver, ImageThatCannotBeCreatedIsReported) {
    TempDir folder;
    const std::string source = (folder / "layout.kbf").string();
    const std::string image = (folder / "missing" / "layout.kbx").string();
    const std::string log = (folder / "log.out").string();
    writeFile(source, "TYPE MIRK\n");
    EXPECT_EQ(kbxcCompileLayout(source.c_str(), image.c_str(), log.c_str(), nullptr), -1);
    EXPECT_EQ(readFile(log), "FATAL: can't open file '" + image + "'");
}

TEST(Driver, EveryCallStartsFromTheDefaults) {
    const CompileRun first = compile("TYPE HASK\nLANGUAGE GR\nBASE H\nA01: \"a\"\n");
    ASSERT_EQ(first.result, 0) << first.log;
    const CompileRun second = compile("SOUND 10\nA01: \"z\"\n");
    ASSERT_EQ(second.result, 0) << second.log;
    EXPECT_EQ(second.byte(4), 0);
    EXPECT_EQ(second.byte(292), 25);
    EXPECT_EQ(second.records(0)[0].bytes, (std::vector<unsigned char>{0x2C, 0xAC}));
    EXPECT_EQ(second.byte(308), 1);
}

TEST(Driver, HostileBytesNeverCrash) {
    std::mt19937 random(20240917u);
    std::string junk;
    for (int i = 0; i < 20000; ++i) junk.push_back(char(random() % 256));
    const CompileRun run = compile(junk);
    EXPECT_EQ(run.result, -1);
    std::string binaryKeyLines;
    for (int i = 0; i < 500; ++i) binaryKeyLines += "A01+S" + std::string(1, char(i % 256)) + ": \"{\\x" + std::string(1, char(i % 256)) + "\r";
    EXPECT_NO_FATAL_FAILURE(compile(binaryKeyLines));
}

}  // namespace
}  // namespace kbxtest
