#pragma once

#include <string>

#include "tools/kbx32/steps.h"

// The log of a download run (SOURCE.LOG): the compiler writes it, the
// download adds the interface library's message, and the editor shows it
// after the run. A log that cannot be written is a failure of the run.
namespace kbx32 {

// Adds `text` and a line end to the log at `logPath`. Empty when it worked,
// else the log and the system's reason: "/tmp/till.LOG: No space left on
// device" (opening, writing and closing are all checked: a full disk shows
// only when the buffered text is written at the close).
std::string appendToLog(const std::string& logPath, const std::string& text);

// "cannot write the log PATH: reason", the text of the log outcome.
std::string cannotWriteLog(const std::string& logPath, int error);

// `result` once the log could not be written (`logProblem` not empty): a run
// that worked ends with the log's outcome; a failure that happened before
// stays the outcome, as it says what the keyboard holds, and names the log's
// problem in its detail.
StepResult withLogProblem(StepResult result, const std::string& logProblem);

}  // namespace kbx32
