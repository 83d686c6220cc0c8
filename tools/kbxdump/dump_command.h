#pragma once

#include <ostream>
#include <span>
#include <string_view>

#include "tools/kbxdump/exit_codes.h"

// The kbxdump command: arguments in, printout or message out, exit code back.
namespace kbxdump {

inline constexpr std::string_view kProgramName = "kbxdump";

// Runs the command on its arguments (without the program name). `helpText`
// is what --help prints. The printout goes to `out`; file and damage
// messages go to `err` as "kbxdump: PATH: MESSAGE"; a usage problem goes to
// standard error in the form every tool uses. Whether `out` reached its file
// is for the caller to tell (cli::finishStandardOutput).
int runDump(std::span<const std::string_view> arguments, std::string_view helpText, std::ostream& out,
            std::ostream& err);

}  // namespace kbxdump
