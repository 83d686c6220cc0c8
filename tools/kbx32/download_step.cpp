#include "tools/kbx32/steps.h"

namespace kbx32 {

StepResult finishWithoutDownload(MessageChannel& messages) {
    messages.send(Message::downloadPhase);
    messages.send(Message::phaseFinished);
    return {};
}

// Downloading comes with the interface library; until then a download run
// stops after compiling.
StepResult downloadImage(const Job& job, MessageChannel&) {
    return {Outcome::downloadUnavailable,
            "downloading is not available yet, interface '" + job.destination + "'; use COMP to compile only"};
}

}  // namespace kbx32
