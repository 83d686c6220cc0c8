#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kbxtest {

// A program running in the background while a test talks to it: standard
// input from /dev/null, standard output on a pipe read line by line, standard
// error into a file. Killed (SIGKILL) when the object goes, if still running.
class Background {
public:
    // Throws std::runtime_error when the program cannot be started.
    Background(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& errorFile);
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    // The next line of standard output without its end; empty at the end of
    // the output or when none came within `limit`.
    std::string readLine(std::chrono::milliseconds limit = std::chrono::seconds(10));

    // Reads lines until one starts with `prefix`; false when none came.
    bool waitForLineStarting(std::string_view prefix);

    // Sends `signalNumber` and waits for the end; the wait status.
    int stop(int signalNumber);

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

}  // namespace kbxtest
