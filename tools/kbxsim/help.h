#pragma once

#include <string_view>

namespace kbxsim {

// The usage lines, printed with a usage error and first in the help.
std::string_view usageText();

// What "kbxsim --help" prints after the usage: the protocol, the checksum,
// the options and the exit codes.
std::string_view helpText();

}  // namespace kbxsim
