#include "tests/support/background.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <stdexcept>

extern char** environ;

namespace kbxtest {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPollSlice = 50;  // ms

}  // namespace

Background::Background(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                       const std::filesystem::path& errorFile) {
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    output_ = ends[0];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int spawned = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (spawned != 0) {
        ::close(output_);
        throw std::runtime_error("cannot start " + program.string());
    }
}

Background::~Background() {
    if (pid_ > 0) stop(SIGKILL);
    ::close(output_);
}

std::string Background::readLine(std::chrono::milliseconds limit) {
    std::string line;
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        pollfd watch{output_, POLLIN, 0};
        if (::poll(&watch, 1, kPollSlice) <= 0) continue;
        char character = 0;
        if (::read(output_, &character, 1) != 1) break;
        if (character == '\n') return line;
        line.push_back(character);
    }
    return {};
}

bool Background::waitForLineStarting(std::string_view prefix) {
    for (std::string line = readLine(); !line.empty(); line = readLine())
        if (line.starts_with(prefix)) return true;
    return false;
}

int Background::stop(int signalNumber) {
    ::kill(pid_, signalNumber);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
}

}  // namespace kbxtest
