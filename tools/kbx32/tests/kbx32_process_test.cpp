// kbx32 as a child process, with its standard output on a file, /dev/full
// or a pseudo-terminal: the command line, a write that fails, and the choice
// between the progress bar and the line protocol.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;
using kbxtest::TempDir;

const fs::path kKbx32 = KBX32_PROGRAM;
const fs::path kExample = fs::path(KBX_SOURCE_DIR) / "data" / "examples" / "bakery.kbf";
constexpr int kUsageStatus = 64;
constexpr int kOutputNotWritten = 14;
constexpr std::size_t kReadChunk = 4096;

struct Child {
    int exitCode = -1;
    std::string out;  // what reached the pseudo-terminal, when one was used
    std::string err;
};

// Where the child's standard output goes.
struct Output {
    fs::path file;         // a file or device to open for writing
    bool terminal = false; // else a pseudo-terminal, read back into Child::out
};

int exitCodeOf(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs kbx32 in `folder` with `arguments`; standard error goes to a file
// beside the folder, so that the folder holds only what kbx32 writes.
Child runKbx32(const std::vector<std::string>& arguments, const fs::path& folder, const Output& output) {
    const TempDir errors;
    const fs::path errorFile = errors / "stderr";
    int master = -1;
    int slave = -1;
    if (output.terminal && ::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = output.terminal ? slave : ::open(output.file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::chdir(folder.c_str()) != 0) ::_exit(127);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (master >= 0) ::close(master);
        std::vector<char*> argv{const_cast<char*>(kKbx32.c_str())};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(kKbx32.c_str(), argv.data());
        ::_exit(127);
    }
    Child child;
    if (output.terminal) {
        // The pseudo-terminal holds only a few kilobytes: read while the
        // child writes, until its side is closed (EIO, pty(7)).
        ::close(slave);
        char chunk[kReadChunk];
        for (;;) {
            const ssize_t got = ::read(master, chunk, sizeof chunk);
            if (got > 0) child.out.append(chunk, std::size_t(got));
            else if (got < 0 && errno == EINTR) continue;
            else break;
        }
        ::close(master);
    }
    child.exitCode = exitCodeOf(pid);
    child.err = kbxtest::readFile(errorFile);
    return child;
}

std::vector<fs::path> entriesOf(const fs::path& folder) {
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) entries.push_back(entry.path().filename());
    return entries;
}

class Kbx32Process : public ::testing::Test {
protected:
    void SetUp() override { fs::copy_file(kExample, work / "bakery.kbf"); }
    Output toFile() const { return {outputs / "stdout", false}; }
    std::string written() const { return kbxtest::readFile(outputs / "stdout"); }

    TempDir work;
    TempDir outputs;
};

TEST_F(Kbx32Process, AnUnknownOptionIsRefusedBeforeAnyFileIsWritten) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--bogus", "bakery.kbf", "COMP"}, {"bakery.kbf", "COMP", "-x"},
          {"--port", "/dev/ttyUSB0", "bakery.kbf", "AT"}}) {
        SCOPED_TRACE(arguments.front());
        const Child run = runKbx32(arguments, work.path(), toFile());
        EXPECT_EQ(run.exitCode, kUsageStatus);
        EXPECT_NE(run.err.find("Usage: kbx32 SOURCE COMP"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Try 'kbx32 --help' for more information."), std::string::npos) << run.err;
        EXPECT_EQ(written(), "");
        EXPECT_EQ(entriesOf(work.path()), std::vector<fs::path>{"bakery.kbf"});
    }
    EXPECT_NE(runKbx32({"--bogus", "bakery.kbf", "COMP"}, work.path(), toFile()).err.find("unknown option --bogus"),
              std::string::npos);
}

TEST_F(Kbx32Process, VersionAndHelpPrintAndSucceed) {
    const Child version = runKbx32({"--version"}, work.path(), toFile());
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(written(), std::string("kbx32 ") + KBX_VERSION + "\n");
    const Child help = runKbx32({"-h"}, work.path(), toFile());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(written().rfind("Usage: kbx32 SOURCE COMP\n", 0), 0u);
}

// /dev/full takes no byte: every write fails with ENOSPC (the kernel's
// drivers/char/mem.c, write_full).
TEST_F(Kbx32Process, OutputThatCannotBeWrittenFailsTheRun) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"--version"}, {"bakery.kbf", "COMP"}}) {
        SCOPED_TRACE(arguments.front());
        const Child run = runKbx32(arguments, work.path(), {"/dev/full", false});
        EXPECT_EQ(run.exitCode, kOutputNotWritten);
        EXPECT_NE(run.err.find("kbx32: write error"), std::string::npos) << run.err;
    }
    // The compilation itself went through: only its messages were lost.
    EXPECT_TRUE(fs::exists(work / "bakery.kbx"));
}

TEST_F(Kbx32Process, AFileGetsTheLineProtocol) {
    const Child run = runKbx32({"bakery.kbf", "COMP"}, work.path(), toFile());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string lines = written();
    EXPECT_EQ(lines.rfind("kbx_message 2 0\n", 0), 0u);
    EXPECT_EQ(lines.find('\r'), std::string::npos);
    EXPECT_NE(lines.find("kbx_message 3 0\nkbx_message 1 0\n"), std::string::npos);
}

// The terminal's line discipline turns each line end into CR LF (ONLCR of
// the kernel's standard termios, termios(3)); the bar itself returns with CR.
TEST_F(Kbx32Process, ATerminalGetsTheProgressBarAndTheSummary) {
    const Child run = runKbx32({"bakery.kbf", "COMP"}, work.path(), {{}, true});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.find("kbx_message"), std::string::npos);
    EXPECT_EQ(run.out.rfind("\rCompiling     0% [", 0), 0u) << run.out.substr(0, 80);
    EXPECT_NE(run.out.find("\rCompiling   100% [##############################]\r\n"), std::string::npos);
    const std::string summary = "bakery.kbf: compiled (log bakery.TXT)\r\n";
    ASSERT_GE(run.out.size(), summary.size());
    EXPECT_EQ(run.out.substr(run.out.size() - summary.size()), summary);
}

TEST_F(Kbx32Process, MessagesKeepsTheLineProtocolAtATerminal) {
    const Child run = runKbx32({"--messages", "bakery.kbf", "COMP"}, work.path(), {{}, true});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("kbx_message 2 0\r\n", 0), 0u) << run.out.substr(0, 80);
    EXPECT_EQ(run.out.find("Compiling"), std::string::npos);
}

}  // namespace
