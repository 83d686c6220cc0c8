#pragma once

#include <ostream>
#include <span>
#include <string_view>

// The kbxsim program: arguments in, a served keyboard until a signal, an exit
// code back.
namespace kbxsim {

inline constexpr int kExitStopped = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs kbxsim on its arguments (without the program name). The slave line and
// the help go to `out`, messages (and the --verbose log) to `err`.
int runKbxsim(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err);

}  // namespace kbxsim
