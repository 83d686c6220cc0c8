#include "tests/support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace kbxtest {

namespace {

// Both ends of a pipe, closed when the object goes.
class Pipe {
public:
    Pipe() {
        if (pipe2(ends_.data(), O_CLOEXEC) != 0) throw std::runtime_error("cannot create a pipe");
    }
    ~Pipe() {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    int read() const { return ends_[0]; }
    int write() const { return ends_[1]; }
    void closeRead() { closeEnd(0); }
    void closeWrite() { closeEnd(1); }

private:
    void closeEnd(std::size_t i) {
        if (ends_[i] >= 0) ::close(ends_[i]);
        ends_[i] = -1;
    }
    std::array<int, 2> ends_{-1, -1};
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// Reads both pipes until both are closed by the child or the deadline passes.
bool collect(Pipe& out, Pipe& err, ProcessResult& result, std::chrono::steady_clock::time_point deadline) {
    std::array<pollfd, 2> watches{pollfd{out.read(), POLLIN, 0}, pollfd{err.read(), POLLIN, 0}};
    std::array<std::string*, 2> sinks{&result.out, &result.err};
    std::array<char, 4096> buffer{};
    int open = 2;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        const int ready = poll(watches.data(), watches.size(), int(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) throw std::runtime_error("poll failed");
        for (std::size_t i = 0; i < watches.size(); ++i) {
            if (watches[i].fd < 0 || watches[i].revents == 0) continue;
            const ssize_t got = ::read(watches[i].fd, buffer.data(), buffer.size());
            if (got > 0) {
                sinks[i]->append(buffer.data(), std::size_t(got));
            } else if (got == 0 || errno != EINTR) {
                watches[i].fd = -1;
                --open;
            }
        }
    }
    return true;
}

}  // namespace

ProcessOptions withOutputTo(const std::filesystem::path& file) {
    ProcessOptions options;
    options.standardOutput = file;
    return options;
}

ProcessResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    Pipe out;
    Pipe err;
    SpawnActions actions;
    const std::string input = options.standardInput.empty() ? "/dev/null" : options.standardInput.string();
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, input.c_str(), O_RDONLY, 0);
    const std::string output = options.standardOutput.string();
    if (output.empty())
        posix_spawn_file_actions_adddup2(actions.get(), out.write(), STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, output.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(actions.get(), err.write(), STDERR_FILENO);
    const std::string directory = options.workingDirectory.string();
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(actions.get(), directory.c_str());

    const std::string path = program.string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int started = posix_spawn(&pid, path.c_str(), actions.get(), nullptr, argv.data(), environ);
    if (started != 0) throw std::runtime_error("cannot start " + path + ": " + std::strerror(started));
    out.closeWrite();
    err.closeWrite();

    ProcessResult result;
    if (!collect(out, err, result, std::chrono::steady_clock::now() + options.timeout)) {
        result.timedOut = true;
        kill(pid, SIGKILL);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace kbxtest
