#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kbxtest {

struct ProcessResult {
    int exitCode = -1;      // the program's exit status; -1 when it did not exit
    int signal = 0;         // the signal that ended it, or 0
    bool timedOut = false;  // killed after the time limit
    std::string out;        // everything it wrote to standard output
    std::string err;        // and to standard error
};

struct ProcessOptions {
    std::filesystem::path workingDirectory;  // empty: the test's own
    std::chrono::milliseconds timeout{60'000};
    std::filesystem::path standardInput{};   // empty: /dev/null
    std::filesystem::path standardOutput{};  // empty: collected in ProcessResult::out
};

// The default options with standard output going to `file`.
ProcessOptions withOutputTo(const std::filesystem::path& file);

// Runs `program` with `arguments` (without the program name), standard input
// from the options' file (else /dev/null), and waits for it, collecting both
// output streams (standard output goes to the options' file instead, when
// one is named: /dev/full for a program whose output cannot be written). Throws std::runtime_error when the program cannot be
// started.
ProcessResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options = {});

// The lines of a text, without their line ends.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace kbxtest
