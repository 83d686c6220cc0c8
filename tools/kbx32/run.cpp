#include "tools/kbx32/run.h"

#include "tools/kbx32/steps.h"

namespace kbx32 {

namespace {

constexpr char kProgramName[] = "kbx32";

void reportFailure(const Job& job, const StepResult& result, MessageChannel& messages, std::FILE* diagnostics) {
    const OutcomeRow& outcome = outcomeRow(result.outcome);
    if (!outcome.failure) return;
    messages.send(*outcome.failure);
    const MessageRow& message = messageRow(*outcome.failure);
    std::fprintf(diagnostics, "%s: %s: %.*s", kProgramName, job.source.c_str(), int(message.dialogText.size()),
                 message.dialogText.data());
    if (!result.detail.empty()) std::fprintf(diagnostics, " (%s)", result.detail.c_str());
    std::fputc('\n', diagnostics);
}

}  // namespace

Outcome runJob(const Job& job, MessageChannel& messages, std::FILE* diagnostics) {
    StepResult result = compileLayout(job, messages);
    if (result.outcome == Outcome::success)
        result = job.compileOnly() ? finishWithoutDownload(messages) : downloadImage(job, messages);
    reportFailure(job, result, messages, diagnostics);
    return result.outcome;
}

}  // namespace kbx32
