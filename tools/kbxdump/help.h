#pragma once

#include <string>

namespace kbxdump {

// What "kbxdump --help" prints: the usage, the printout line by line and the
// exit codes.
std::string helpText();

}  // namespace kbxdump
