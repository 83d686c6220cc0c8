// One simulated keyboard per path: a second kbxsim on the link or the
// keyboard channel socket of one that runs is refused and changes nothing;
// what a simulator that ended left behind is taken over; and a simulator
// removes at its end only the link and socket that are still its own.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/background.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kKbxsim = fs::path(KBX_BIN_DIR) / "kbxsim";
constexpr int kKbxsimFailed = 1;
constexpr char kServedByAnother[] = ": another kbxsim serves this path\n";

kbxtest::ProcessOptions bounded() {
    kbxtest::ProcessOptions options;
    options.timeout = std::chrono::seconds(20);
    return options;
}

// The inode of what `path` names itself (a link is not followed).
ino_t inodeOf(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

// The header query through the link: the simulator behind it answers.
bool answersAt(const fs::path& link) {
    const kbxtest::ProcessResult run =
        kbxtest::runProgram(kKbx32, {"--port", link.string(), "--header", "COM1:9600,O,8"}, bounded());
    return run.exitCode == 0;
}

class OneSimulatorPerPath : public ::testing::Test {
protected:
    // A simulator in the background, once it has told where it serves.
    std::unique_ptr<kbxtest::Background> start(const std::vector<std::string>& arguments, std::string_view name) {
        auto simulator = std::make_unique<kbxtest::Background>(kKbxsim, arguments, dir / (std::string(name) + ".err"));
        EXPECT_FALSE(simulator->readLine().empty()) << kbxtest::readFile(dir / (std::string(name) + ".err"));
        return simulator;
    }

    kbxtest::TempDir dir;
    fs::path link = dir / "ttyKBX";
    fs::path socket = dir / "kbd.sock";
};

TEST_F(OneSimulatorPerPath, ASecondSimulatorOnTheSameLinkIsRefusedAndChangesNothing) {
    const auto first = start({"serial", "--link", link.string()}, "first");
    const fs::path slave = fs::read_symlink(link);

    const kbxtest::ProcessResult second = kbxtest::runProgram(kKbxsim, {"serial", "--link", link.string()}, bounded());
    EXPECT_EQ(second.exitCode, kKbxsimFailed);
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.err, "kbxsim: " + link.string() + kServedByAnother);
    EXPECT_EQ(fs::read_symlink(link), slave);
    EXPECT_TRUE(answersAt(link)) << "the first one is still reached";

    const int status = first->stop(SIGTERM);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_FALSE(fs::exists(dir / "ttyKBX.lock")) << "the lock file goes with its owner";
}

TEST_F(OneSimulatorPerPath, ALinkLeftByAKilledSimulatorIsTakenOver) {
    auto first = start({"serial", "--link", link.string()}, "first");
    first->stop(SIGKILL);  // leaves the link behind
    ASSERT_TRUE(fs::is_symlink(fs::symlink_status(link)));

    const auto next = start({"serial", "--link", link.string()}, "next");
    EXPECT_TRUE(answersAt(link));
}

TEST_F(OneSimulatorPerPath, ASecondSimulatorOnTheSameChannelIsRefusedAndChangesNothing) {
    const auto first = start({"serial", "--channel", socket.string()}, "first");
    const ino_t listening = inodeOf(socket);

    const kbxtest::ProcessResult second =
        kbxtest::runProgram(kKbxsim, {"serial", "--channel", socket.string()}, bounded());
    EXPECT_EQ(second.exitCode, kKbxsimFailed);
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.err, "kbxsim: " + socket.string() + kServedByAnother);
    // Before, the second one's exit removed the socket, so the first one
    // served a channel nobody could reach.
    EXPECT_EQ(inodeOf(socket), listening);
}

TEST_F(OneSimulatorPerPath, ASocketLeftByAKilledSimulatorIsTakenOver) {
    auto first = start({"serial", "--channel", socket.string()}, "first");
    first->stop(SIGKILL);
    ASSERT_TRUE(fs::is_socket(fs::symlink_status(socket)));

    const auto next = start({"serial", "--channel", socket.string()}, "next");
    EXPECT_TRUE(fs::is_socket(fs::symlink_status(socket)));
}

// Someone else's file at the path by the end (a socket bound there after the
// simulator's was removed, a link made anew) stays.
TEST_F(OneSimulatorPerPath, AtItsEndASimulatorRemovesOnlyWhatIsStillItsOwn) {
    auto simulator = start({"serial", "--link", link.string(), "--channel", socket.string()}, "simulator");
    fs::remove(socket);
    const int other = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = socket.string();
    std::copy(text.begin(), text.end(), address.sun_path);
    ASSERT_EQ(::bind(other, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    fs::remove(link);
    fs::create_symlink("/dev/null", link);

    simulator->stop(SIGTERM);
    EXPECT_TRUE(fs::is_socket(fs::symlink_status(socket)));
    EXPECT_EQ(fs::read_symlink(link), "/dev/null");
    ::close(other);
}

}  // namespace
