#pragma once

#include <ostream>
#include <span>
#include <string_view>

#include "tools/kbxsim/command_line/exit_codes.h"

// The kbxsim program: arguments in, a served keyboard until a signal, an exit
// code back.
namespace kbxsim {

// Runs kbxsim on its arguments (without the program name). The slave line and
// the help go to `out`, messages (and the --verbose log) to `err`; a usage
// problem goes to standard error in the form every tool uses. Whether `out`
// reached its file is for the caller to tell (cli::finishStandardOutput).
int runKbxsim(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err);

}  // namespace kbxsim
