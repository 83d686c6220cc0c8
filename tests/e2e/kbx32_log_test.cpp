// The log of a download (SOURCE.LOG, which the editor shows after the run)
// that cannot be written once the compile has written it: the run fails with
// the log's outcome and names the log and the system's reason, unless the
// download failed first, which stays the outcome.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/background.h"
#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kKbxsim = fs::path(KBX_BIN_DIR) / "kbxsim";
constexpr char kLayout[] = "TYPE MIRK\nA01: \"a\"\n";
constexpr char kDownloadPhase[] = "kbx_message 3 0";
constexpr char kLogNotWritten[] = "kbx_message 4 -3";
constexpr char kDownloadNotPossible[] = "kbx_message 5 -5";
constexpr int kLogNotOpened = 3;
constexpr int kTransferFailed = 8;

struct RunEnd {
    int exitCode = -1;
    std::string lastMessage;
    std::string err;
};

class Kbx32Log : public ::testing::Test {
protected:
    // The simulated keyboard, at the line's own rate so that the download
    // lasts longer than it takes to spoil the log (a second or more).
    void startKeyboard(std::vector<std::string> faults) {
        std::vector<std::string> arguments{"serial", "--link", (dir / "ttyKBX").string(), "--line-rate"};
        arguments.insert(arguments.end(), faults.begin(), faults.end());
        keyboard = std::make_unique<kbxtest::Background>(kKbxsim, arguments, dir / "kbxsim.err");
        ASSERT_FALSE(keyboard->readLine().empty()) << kbxtest::readFile(dir / "kbxsim.err");
    }

    // A download whose log becomes a folder as soon as the download phase begins.
    RunEnd downloadWithTheLogTakenAway() {
        kbxtest::writeFile(dir / "till.kbf", kLayout);
        kbxtest::Background kbx32(
            kKbx32, {"--port", (dir / "ttyKBX").string(), (dir / "till.kbf").string(), "COM1:9600,O,8"},
            dir / "kbx32.err");
        RunEnd run;
        EXPECT_TRUE(kbx32.waitForLineStarting(kDownloadPhase));
        fs::remove(dir / "till.LOG");
        fs::create_directory(dir / "till.LOG");
        for (std::string line = kbx32.readLine(std::chrono::seconds(15)); !line.empty();
             line = kbx32.readLine(std::chrono::seconds(15)))
            run.lastMessage = line;
        const int status = kbx32.stop(0);  // signal 0: only waits
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = kbxtest::readFile(dir / "kbx32.err");
        return run;
    }

    kbxtest::TempDir dir;
    std::unique_ptr<kbxtest::Background> keyboard;
};

TEST_F(Kbx32Log, ADownloadWhoseLogCannotBeWrittenFails) {
    startKeyboard({});
    const RunEnd run = downloadWithTheLogTakenAway();
    EXPECT_EQ(run.exitCode, kLogNotOpened) << run.err;
    EXPECT_EQ(run.lastMessage, kLogNotWritten);
    EXPECT_NE(run.err.find("cannot write the log " + (dir / "till.LOG").string() + ": Is a directory"),
              std::string::npos)
        << run.err;
}

TEST_F(Kbx32Log, AFailedDownloadStaysTheOutcomeAndTheLogIsNamedToo) {
    startKeyboard({"--silent-from", "1"});  // twelve unanswered tries: seconds
    const RunEnd run = downloadWithTheLogTakenAway();
    EXPECT_EQ(run.exitCode, kTransferFailed) << run.err;
    EXPECT_EQ(run.lastMessage, kDownloadNotPossible);
    EXPECT_NE(run.err.find("Download not possible (0x95); cannot write the log " + (dir / "till.LOG").string() +
                           ": Is a directory"),
              std::string::npos)
        << run.err;
}

}  // namespace
