#pragma once

#include <string_view>

// A tool's output is its result: when it cannot be written (a full disk, a
// closed pipe, /dev/full) the run failed, even if everything else worked.
namespace cli {

// Flushes standard output (C stdio and std::cout alike) and reports a failed
// write as "PROGRAM: write error: REASON" (or without a reason, when the
// write failed earlier in the run) on standard error. Returns the
// exit code to end with: exitCode when the output is intact, else
// failureCode (or exitCode, when that already names a failure).
int finishStandardOutput(std::string_view program, int exitCode, int failureCode);

}  // namespace cli
