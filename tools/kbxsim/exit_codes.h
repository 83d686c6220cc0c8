#pragma once

#include <array>
#include <string_view>

// How kbxsim ends. The table is the one source of the exit codes: the help
// prints it, and the manual page's EXIT STATUS section says the same.
namespace kbxsim {

inline constexpr int kExitStopped = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct ExitCode {
    int code;
    std::string_view meaning;
};

inline constexpr std::array kExitCodes{
    ExitCode{kExitStopped, "stopped by SIGINT or SIGTERM (and the image saved when asked)"},
    ExitCode{kExitFailed, "the pseudo-terminal, link, channel, image, save or output failed"},
    ExitCode{kExitUsage, "usage"},
};

}  // namespace kbxsim
