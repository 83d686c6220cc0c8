#include "tools/kbx32/message_output.h"

#include <unistd.h>

#include "tools/kbx32/terminal_progress.h"

namespace kbx32 {

MessageForm messageFormFor(std::FILE* output, bool linesAsked) {
    if (linesAsked) return MessageForm::lines;
    return ::isatty(::fileno(output)) != 0 ? MessageForm::progressBar : MessageForm::lines;
}

std::unique_ptr<MessageChannel> openMessageChannel(std::FILE* output, MessageForm form, Transfer transfer) {
    if (form == MessageForm::progressBar)
        return std::make_unique<TerminalProgress>(
            output, transfer == Transfer::upload ? kUploadingPhase : kDownloadingPhase);
    return std::make_unique<MessageLines>(output);
}

}  // namespace kbx32
