#pragma once

#include <ostream>
#include <span>
#include <string_view>

// The kbxdump command: arguments in, printout or message out, exit code back.
namespace kbxdump {

inline constexpr int kExitPrinted = 0;
inline constexpr int kExitDamagedImage = 1;
inline constexpr int kExitUsageOrFile = 2;

// Runs the command on its arguments (without the program name). `helpText`
// is what --help prints. The printout goes to `out`; usage, file and damage
// messages go to `err` as "kbxdump: PATH: MESSAGE".
int runDump(std::span<const std::string_view> arguments, std::string_view helpText, std::ostream& out,
            std::ostream& err);

}  // namespace kbxdump
