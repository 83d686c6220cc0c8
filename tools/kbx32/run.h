#pragma once

#include <cstdio>
#include <string>

#include "tools/kbx32/command_line.h"
#include "tools/kbx32/messages.h"
#include "tools/kbx32/outcomes.h"

namespace kbx32 {

// Compiles, then finishes (COMP) or downloads. A failure is sent to the
// dialog as its message and told to people on `diagnostics`.
Outcome runJob(const Job& job, MessageChannel& messages, std::FILE* diagnostics);

// Compiles, reads the keyboard's header, and downloads only when the
// keyboard holds another image: success when it held this one already,
// imageReplaced when it was downloaded.
Outcome runIfChanged(const Job& job, MessageChannel& messages, std::FILE* diagnostics);

// Uploads the keyboard memory into `image`; messages as for a download.
Outcome runUpload(const std::string& image, const std::string& interfaceString, MessageChannel& messages,
                  std::FILE* diagnostics);

// Prints the keyboard's first 8 memory bytes on `output`.
Outcome runHeader(const std::string& interfaceString, std::FILE* output, std::FILE* diagnostics);

}  // namespace kbx32
