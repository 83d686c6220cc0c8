// The kbxsim program as a user starts it: the slave line on standard output,
// the image saved on SIGUSR1 and at the end, the link gone after SIGTERM.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"
#include "tools/kbxsim/firmware/firmware.h"
#include "tools/kbxsim/tests/channel_client.h"
#include "tools/kbxsim/tests/frames.h"
#include "tools/kbxsim/tests/pty_client.h"

extern char** environ;

namespace kbxsim::test {
namespace {

const std::filesystem::path kProgram = std::filesystem::path(KBX_BIN_DIR) / "kbxsim";

// kbxsim running in the background, its standard output on a pipe and its
// standard error in a file.
class RunningKbxsim {
public:
    RunningKbxsim(const std::vector<std::string>& arguments, const std::filesystem::path& errorFile) {
        std::array<int, 2> pipeEnds{};
        std::array<int, 2> inputEnds{};
        if (::pipe(pipeEnds.data()) != 0 || ::pipe(inputEnds.data()) != 0) throw std::runtime_error("pipe failed");
        output_ = pipeEnds[0];
        input_ = inputEnds[1];
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, inputEnds[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, inputEnds[1]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<std::string> words{kProgram.string()};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        const int spawned = ::posix_spawn(&pid_, kProgram.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        ::close(inputEnds[0]);
        if (spawned != 0) throw std::runtime_error("cannot start kbxsim");
    }

    ~RunningKbxsim() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(output_);
        if (input_ >= 0) ::close(input_);
    }

    // A line on the program's standard input.
    void writeInput(const std::string& line) {
        const std::string text = line + '\n';
        if (::write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            throw std::runtime_error("cannot write the input");
        }
    }

    void closeInput() {
        ::close(input_);
        input_ = -1;
    }

    // The first line of standard output, without its end; empty after 10 s.
    std::string readLine() {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd watch{output_, POLLIN, 0};
            if (::poll(&watch, 1, 100) <= 0) continue;
            char character = 0;
            if (::read(output_, &character, 1) != 1) break;
            if (character == '\n') return line;
            line.push_back(character);
        }
        return {};
    }

    void signal(int number) { ::kill(pid_, number); }

    // The exit status after `number`; -1 when it did not exit normally.
    int stopWith(int number) {
        signal(number);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    int input_ = -1;
};

Bytes imageOfLength(std::size_t length) {
    Bytes image{'V', 'y', 'r', 'n', 0x10, 0x00, static_cast<std::uint8_t>(length >> 8),
                static_cast<std::uint8_t>(length & 0xFF)};
    for (std::size_t i = image.size(); i < length; ++i) image.push_back(static_cast<std::uint8_t>(i));
    return image;
}

bool waitForFile(const std::filesystem::path& path) {
    for (int i = 0; i < 200; ++i) {
        if (std::filesystem::exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(Program, ServesALoadedImageSavesItAndCleansUp) {
    kbxtest::TempDir dir;
    const Bytes image = imageOfLength(317);
    kbxtest::writeFile(dir / "in.kbx", std::string(image.begin(), image.end()));
    const auto link = dir / "ttyKBX";

    RunningKbxsim kbxsim({"serial", "--link", link.string(), "--load", (dir / "in.kbx").string(), "--save",
                          (dir / "out.kbx").string(), "--id", "1234", "--settings", "1200,O,8"},
                         dir / "err.txt");
    const std::string line = kbxsim.readLine();
    ASSERT_EQ(line, std::filesystem::read_symlink(link).string() + " " + link.string());

    {
        PtyClient host(link.string(), LineSettings{1200, Parity::odd, 8});
        host.send({kEcho});
        EXPECT_EQ(host.receive(1), Bytes{kEcho});
        host.send(readFrame(0x0000, 2));
        EXPECT_EQ(host.receive(10 + 6), bytesOf(std::string(10, '\xFA') + "1234" "0A"));

        kbxsim.signal(SIGUSR1);
        ASSERT_TRUE(waitForFile(dir / "out.kbx"));
        EXPECT_EQ(kbxtest::readBytes(dir / "out.kbx"), image);

        const Bytes frame = writeFrame(0x0010, {0xAA, 0xBB});
        EXPECT_EQ(host.exchange(frame), Bytes(frame.size(), kAcknowledge));
    }
    EXPECT_EQ(kbxsim.stopWith(SIGTERM), 0) << kbxtest::readFile(dir / "err.txt");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    Bytes expected = image;
    expected[0x10] = 0xAA;
    expected[0x11] = 0xBB;
    EXPECT_EQ(kbxtest::readBytes(dir / "out.kbx"), expected);
}

TEST(Program, FaultOptionsApplyFromTheFirstByte) {
    kbxtest::TempDir dir;
    RunningKbxsim kbxsim({"serial", "--refuse-byte", "2", "--verbose"}, dir / "err.txt");
    const std::string slave = kbxsim.readLine();
    ASSERT_FALSE(slave.empty());
    {
        PtyClient host(slave);
        EXPECT_EQ(host.exchange({kEnable, kEnable, kEnable}), (Bytes{kAcknowledge, kRefuse, kAcknowledge}));
    }
    EXPECT_EQ(kbxsim.stopWith(SIGINT), 0);
    EXPECT_EQ(kbxtest::readFile(dir / "err.txt"),
              "kbxsim: <- F4 enable -> FA\nkbxsim: <- F4 refused (fault) -> FE\nkbxsim: <- F4 enable -> FA\n");
}

TEST(Program, KeyboardChannelTypesModuleInputAndReportsWhatHappens) {
    kbxtest::TempDir dir;
    const auto socket = dir / "keyboard";
    RunningKbxsim kbxsim({"serial", "--channel", socket.string(), "--language", "0", "--do", "barcode 42",
                          "--display", "2,6"},
                         dir / "err.txt");
    ASSERT_FALSE(kbxsim.readLine().empty());
    ASSERT_TRUE(std::filesystem::is_socket(socket));

    ChannelClient events(socket);
    events.subscribe();
    EXPECT_EQ(madeCodes(events.events(8)), (Bytes{0x65, 0x05, 0x03, 0x65})) << "--do waits for a listener";
    kbxsim.writeInput("type z");
    EXPECT_EQ(madeCodes(events.events(2)), Bytes{0x2C}) << "the US keyboard of --language 0";
    kbxsim.writeInput("nonsense");
    kbxsim.writeInput("swipe 1");
    EXPECT_EQ(madeCodes(events.events(6)), (Bytes{0x62, 0x02, 0x62})) << "a bad line does not stop the input";

    ChannelClient requests(socket);
    for (const std::uint8_t byte : Bytes{0xEF, 0x2B, 0xEC, 'H', 'I', 0x00}) EXPECT_EQ(requests.usbSend(byte), 0);
    EXPECT_EQ(kbxsim.readLine(), "command EF 2B beep");
    EXPECT_EQ(kbxsim.readLine(), "display");
    EXPECT_EQ(kbxsim.readLine(), "+------+");
    EXPECT_EQ(kbxsim.readLine(), "|HI    |");
    EXPECT_EQ(kbxsim.readLine(), "|      |");
    EXPECT_EQ(kbxsim.readLine(), "+------+");
    events.passOn(kbx::platform::channel::keyData(0x1E, true));
    EXPECT_EQ(kbxsim.readLine(), "desktop break 1E");

    EXPECT_EQ(kbxsim.stopWith(SIGTERM), 0);
    EXPECT_NE(kbxtest::readFile(dir / "err.txt").find("kbxsim: unknown input \"nonsense\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(socket));
}

TEST(Program, ModuleInputNeedsTheChannel) {
    const kbxtest::ProcessResult result = kbxtest::runProgram(kProgram, {"serial", "--do", "barcode 1"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(kbxtest::splitLines(result.err).front(),
              "kbxsim: --do needs --channel: module input is typed on the keyboard channel");
    const kbxtest::ProcessResult bad = kbxtest::runProgram(kProgram, {"serial", "--channel", "/tmp/x", "--do", "beep"});
    EXPECT_EQ(bad.exitCode, 2);
}

TEST(Program, HelpDescribesTheProtocolAndExitCodes) {
    const kbxtest::ProcessResult result = kbxtest::runProgram(kProgram, {"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("0xEF 0x0F AAAA NN SS"), std::string::npos);
    EXPECT_NE(result.out.find("Checksum: the frame 0xEF 0x12"), std::string::npos);
    EXPECT_NE(result.out.find("\nExit status:\n  0  stopped by SIGINT or SIGTERM"), std::string::npos);
}

TEST(Program, UsageErrorsExitWithTwo) {
    const kbxtest::ProcessResult result = kbxtest::runProgram(kProgram, {"serial", "--settings", "fast"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(kbxtest::splitLines(result.err).front(),
              "kbxsim: --settings needs BAUD,PARITY,DATABITS such as 9600,O,8, not \"fast\"");
    EXPECT_EQ(result.out, "");
}

TEST(Program, ImageThatCannotBeLoadedExitsWithOne) {
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "bad.kbx", "Vyrm and more");
    const kbxtest::ProcessResult result =
        kbxtest::runProgram(kProgram, {"serial", "--load", (dir / "bad.kbx").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "kbxsim: " + (dir / "bad.kbx").string() + ": not a keyboard image (no \"Vyrn\" at the start)\n");
}

TEST(Program, LinkOverAFileExitsWithOneAndLeavesTheFile) {
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "file", "keep");
    const kbxtest::ProcessResult result = kbxtest::runProgram(kProgram, {"serial", "--link", (dir / "file").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(kbxtest::readFile(dir / "file"), "keep");
}

}  // namespace
}  // namespace kbxsim::test
