#pragma once

#include <string>

#include "tools/kbx32/command_line.h"
#include "tools/kbx32/messages.h"
#include "tools/kbx32/outcomes.h"

// The phases of one run. Each step sends its own phase and progress messages;
// the failure message of the run is sent by runJob (run.h).
namespace kbx32 {

struct StepResult {
    Outcome outcome = Outcome::success;
    std::string detail;  // for people: what went wrong, where to look
};

// Compiles job.source with libkbxc32.so into the image beside it, writing
// the log to job.logPath(). Sends kind 2, the percentages, and kind 1 at the
// end of a successful compilation.
StepResult compileLayout(const Job& job, MessageChannel& messages);

// Ends a compile-only run: the dialog is told that the (empty) download
// phase is finished too, so that it ends as finished.
StepResult finishWithoutDownload(MessageChannel& messages);

// Downloads the compiled image over job.destination.
StepResult downloadImage(const Job& job, MessageChannel& messages);

}  // namespace kbx32
