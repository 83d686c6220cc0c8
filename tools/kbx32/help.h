#pragma once

#include <string>
#include <string_view>

namespace kbx32 {

// What `kbx32 --help` prints: usage, the message lines and the exit codes,
// made from the tables the program works with.
std::string helpText();

// A usage problem with the usage lines after it, for cli::reportUsageProblem:
// "missing operand\nUsage: kbx32 SOURCE COMP\n...", without the last line end.
std::string usageProblem(std::string_view problem);

}  // namespace kbx32
