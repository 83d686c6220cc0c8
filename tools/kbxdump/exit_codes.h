#pragma once

#include <array>
#include <string_view>

#include "cli/exit_status.h"

// How kbxdump ends. The table is the one source of the exit codes: the help
// prints it, and the manual page's EXIT STATUS section says the same.
namespace kbxdump {

inline constexpr int kExitPrinted = 0;
inline constexpr int kExitDamagedImage = 1;
inline constexpr int kExitUsageOrFile = 2;

inline constexpr std::array kExitCodes{
    cli::ExitCode{kExitPrinted, "printed"},
    cli::ExitCode{kExitDamagedImage, "damaged image"},
    cli::ExitCode{kExitUsageOrFile, "usage error, unreadable file or unwritable output"},
};

}  // namespace kbxdump
