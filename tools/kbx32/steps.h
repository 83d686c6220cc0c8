#pragma once

#include <array>

#include <cstdio>
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

// Compiles job.source with the compiler library into the image beside it, writing
// the log to job.logPath(). Sends kind 2, the percentages, and kind 1 at the
// end of a successful compilation.
StepResult compileLayout(const Job& job, MessageChannel& messages);

// Ends a compile-only run: the dialog is told that the (empty) download
// phase is finished too, so that it ends as finished.
StepResult finishWithoutDownload(MessageChannel& messages);

// Downloads the compiled image over job.destination with the interface library and
// adds the library's message to the log. Sends kind 3, the percentages and
// kind 1 when the keyboard has the image.
StepResult downloadImage(const Job& job, MessageChannel& messages);

// Uploads the keyboard memory into `image`; messages as for a download.
StepResult uploadImage(const std::string& image, const std::string& interfaceString, MessageChannel& messages);

// The first 8 bytes of the keyboard memory: identification, checksum,
// language, serial byte, image length.
using KeyboardHeader = std::array<unsigned char, 8>;

// Reads the header of the keyboard memory into `header`.
StepResult readHeaderBytes(const std::string& interfaceString, KeyboardHeader& header);

// Reads the first 8 bytes of the keyboard memory and prints them as one line
// "header XX XX XX XX XX XX XX XX" on `output`.
StepResult readHeader(const std::string& interfaceString, std::FILE* output);

}  // namespace kbx32
