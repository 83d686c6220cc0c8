#pragma once

#include <cstdio>

#include "tools/kbx32/command_line.h"
#include "tools/kbx32/messages.h"
#include "tools/kbx32/outcomes.h"

namespace kbx32 {

// Compiles, then finishes (COMP) or downloads. A failure is sent to the
// dialog as its message and told to people on `diagnostics`.
Outcome runJob(const Job& job, MessageChannel& messages, std::FILE* diagnostics);

}  // namespace kbx32
