#pragma once

#include <string>

namespace kbx32 {

// What `kbx32 --help` prints: usage, the message lines and the exit codes,
// made from the tables the program works with.
std::string helpText();

// The short hint after a usage error.
std::string usageText();

}  // namespace kbx32
