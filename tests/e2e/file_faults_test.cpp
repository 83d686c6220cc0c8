// The programs where files fail them: a log on a full disk, inputs that are
// FIFOs or devices, and a writer killed while it replaces a layout or an
// image.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/background.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;
using kbxtest::ProcessResult;
using kbxtest::TempDir;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kKbxlayout = fs::path(KBX_BIN_DIR) / "kbxlayout";
const fs::path kExample = fs::path(KBX_SOURCE_DIR) / "data" / "examples" / "bakery.kbf";
constexpr std::chrono::seconds kProgramLimit{20};

kbxtest::ProcessOptions bounded() {
    kbxtest::ProcessOptions options;
    options.timeout = kProgramLimit;
    return options;
}

// Runs the program with a file size limit of 0: every write to a regular
// file fails with EFBIG, as on a full disk, since the shell ignores SIGXFSZ
// and an ignored signal stays ignored across exec (setrlimit(2), execve(2)).
ProcessResult withFullDisk(const fs::path& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> shell{"-c", "ulimit -f 0; trap '' XFSZ; exec \"$0\" \"$@\"", program.string()};
    shell.insert(shell.end(), arguments.begin(), arguments.end());
    return kbxtest::runProgram("/bin/sh", shell, bounded());
}

TEST(Kbx32Files, ACompileOntoAFullDiskEndsWithExitThreeNamingTheLog) {
    TempDir dir;
    fs::copy_file(kExample, dir / "shop.kbf");
    const ProcessResult run = withFullDisk(kKbx32, {(dir / "shop.kbf").string(), "COMP"});
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_EQ(kbxtest::splitLines(run.out).back(), "kbx_message 4 -3");
    EXPECT_NE(run.err.find("cannot write the log " + (dir / "shop.TXT").string() + ": File too large"), std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(dir / "shop.kbx"));
}

// A FIFO once kept kbx32 waiting in its open, /dev/zero kept it compiling one
// endless line.
TEST(Kbx32Files, ASourceThatIsNoFileIsNotFoundAtOnce) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo.kbf").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.kbf");
    for (const char* name : {"fifo.kbf", "zero.kbf"}) {
        const ProcessResult run = kbxtest::runProgram(kKbx32, {(dir / name).string(), "COMP"}, bounded());
        EXPECT_FALSE(run.timedOut) << name;
        EXPECT_EQ(run.exitCode, 2) << name << ": " << run.err;
        EXPECT_EQ(kbxtest::readFile(dir / (std::string(name, 4) + ".TXT")),
                  "FATAL: '" + (dir / name).string() + "' not found\n");
    }
}

// A program killed 15 times at varied moments while it replaces `target`:
// the target is always the old file or the new one, and the next complete
// run leaves only `names` in the folder.
void expectKillsLeaveTheOldOrTheNewFile(const fs::path& program, const std::vector<std::string>& arguments,
                                        const fs::path& target, std::vector<std::string> names) {
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_EQ(kbxtest::runProgram(program, arguments, bounded()).exitCode, 0);
    const std::string fresh = kbxtest::readFile(target);
    const std::string old = "the file before\n";
    kbxtest::writeFile(target, old);
    for (int kill = 0; kill < 15; ++kill) {
        {
            // What a killed run says is of no interest.
            kbxtest::Background run(program, arguments, "/dev/null");
            std::this_thread::sleep_for(std::chrono::microseconds(2917 * kill));
            run.stop(SIGKILL);
        }
        const std::string now = kbxtest::readFile(target);
        ASSERT_TRUE(now == old || now == fresh) << "kill " << kill << ": " << now.size() << " bytes";
        kbxtest::writeFile(target, old);
    }
    ASSERT_EQ(kbxtest::runProgram(program, arguments, bounded()).exitCode, 0);
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(target.parent_path()))
        found.push_back(entry.path().filename());
    std::sort(found.begin(), found.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(found, names);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 2 * kProgramLimit);
}

TEST(KbxlayoutFiles, AResaveKilledAtAnyMomentLeavesTheOldOrTheNewLayout) {
    TempDir dir;
    fs::copy_file(kExample, dir / "bakery.kbf");
    const fs::path target = dir / "out.kbf";
    expectKillsLeaveTheOldOrTheNewFile(kKbxlayout, {"resave", (dir / "bakery.kbf").string(), target.string()},
                                       target, {"bakery.kbf", "out.kbf"});
}

TEST(Kbx32Files, ACompileKilledAtAnyMomentLeavesTheOldOrTheNewImage) {
    TempDir dir;
    fs::copy_file(kExample, dir / "bakery.kbf");
    expectKillsLeaveTheOldOrTheNewFile(kKbx32, {(dir / "bakery.kbf").string(), "COMP"}, dir / "bakery.kbx",
                                       {"bakery.TXT", "bakery.kbf", "bakery.kbx"});
}

}  // namespace
