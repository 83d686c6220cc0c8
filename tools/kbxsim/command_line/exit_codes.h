#pragma once

#include <array>
#include <string_view>

#include "cli/exit_status.h"

// How kbxsim ends. The table is the one source of the exit codes: the help
// prints it, and the manual page's EXIT STATUS section says the same.
namespace kbxsim {

inline constexpr int kExitStopped = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

inline constexpr std::array kExitCodes{
    cli::ExitCode{kExitStopped, "stopped by SIGINT or SIGTERM (and the image saved when asked)"},
    cli::ExitCode{kExitFailed, "the pseudo-terminal, link, channel, image, save or output failed"},
    cli::ExitCode{kExitUsage, "usage"},
};

}  // namespace kbxsim
