#pragma once

#include <cstdio>
#include <memory>

#include "tools/kbx32/messages.h"

// The one decision how a run talks: the "kbx_message" lines that the
// editor's dialog reads, or the progress bar and summary line for a person
// at a terminal.
namespace kbx32 {

enum class MessageForm { lines, progressBar };

// The progress bar when `output` is a terminal, unless the line protocol is
// asked for (--messages); the line protocol in every other case, exactly as
// the dialog reads it through its pipe.
MessageForm messageFormFor(std::FILE* output, bool linesAsked);

// What the kind 3 phase moves: the image to the keyboard, or its memory back.
enum class Transfer { download, upload };

// The channel of that form on `output`.
std::unique_ptr<MessageChannel> openMessageChannel(std::FILE* output, MessageForm form, Transfer transfer);

}  // namespace kbx32
