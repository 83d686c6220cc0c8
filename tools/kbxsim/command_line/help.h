#pragma once

#include <string>
#include <string_view>

namespace kbxsim {

// The usage lines, first in the help.
std::string_view usageText();

// What "kbxsim --help" prints after the usage: the protocol, the checksum,
// the options and the exit codes.
std::string helpText();

}  // namespace kbxsim
