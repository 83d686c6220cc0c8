#include "tools/kbx32/run.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/terminal_text.h"
#include "tools/kbx32/image_match.h"
#include "tools/kbx32/paths.h"
#include "tools/kbx32/port_diagnosis.h"
#include "tools/kbx32/run_summary.h"
#include "tools/kbx32/steps.h"

namespace kbx32 {

namespace {

constexpr char kCompiled[] = "compiled";
constexpr char kDownloadedTo[] = "compiled, downloaded to ";
constexpr char kAlreadyHeld[] = "compiled, the keyboard holds this image already";
constexpr char kReplacedNote[] = "the keyboard held another image";
constexpr char kUploadedFrom[] = "uploaded from ";
constexpr char kLogNote[] = "log ";

// What the person is told about a failure: the dialog's text, or the
// outcome's own when it has one.
std::string_view failureText(const OutcomeRow& outcome) {
    return outcome.ownText.empty() ? messageRow(*outcome.failure).dialogText : outcome.ownText;
}

// Tells the dialog (when `messages` is given) and the person about a failure.
// The detail comes from the libraries (their texts are Windows-1252) and
// from the system; it reaches standard error as UTF-8, on one line.
void reportFailure(const std::string& subject, const StepResult& result, MessageChannel* messages,
                   std::FILE* diagnostics) {
    const OutcomeRow& outcome = outcomeRow(result.outcome);
    if (!outcome.failure) return;
    if (messages) messages->send(*outcome.failure);
    std::string line = std::string(kProgramName) + ": " + subject + ": " + std::string(failureText(outcome));
    std::string detail = result.detail;
    while (!detail.empty() && (detail.back() == '\n' || detail.back() == '\r')) detail.pop_back();
    if (!detail.empty()) line += " (" + detail + ")";
    std::fputs((kbx::platform::terminalText(line) + '\n').c_str(), diagnostics);
}

// The summary of a run that ended with `outcome`: its failure text, or
// `success` when it worked.
RunSummary summaryOf(const std::string& subject, Outcome outcome, std::string success, std::string note) {
    const OutcomeRow& row = outcomeRow(outcome);
    if (row.failure) return {subject, std::string(failureText(row)), std::move(note)};
    return {subject, std::move(success), std::move(note)};
}

// A search of the line settings takes a while when no keyboard answers:
// the person is told before it starts.
void announceSearch(const std::string& interfaceString, std::FILE* diagnostics) {
    if (!searchesLineSettings(interfaceString)) return;
    const std::string line = std::string(kProgramName) + ": " + interfaceString +
                             ": no line settings given, trying each until the keyboard answers\n";
    std::fputs(kbx::platform::terminalText(line).c_str(), diagnostics);
    std::fflush(diagnostics);
}

void tell(std::FILE* diagnostics, const std::string& subject, const std::string& text) {
    const std::string line = std::string(kProgramName) + ": " + subject + ": " + text + '\n';
    std::fputs(kbx::platform::terminalText(line).c_str(), diagnostics);
}

}  // namespace

Outcome runJob(const Job& job, MessageChannel& messages, std::FILE* diagnostics) {
    StepResult result = compileLayout(job, messages);
    if (result.outcome == Outcome::success && job.compileOnly()) {
        result = finishWithoutDownload(messages);
    } else if (result.outcome == Outcome::success) {
        announceSearch(job.destination, diagnostics);
        result = downloadImage(job, messages);
    }
    reportFailure(job.source, result, &messages, diagnostics);
    const std::string done = job.compileOnly() ? kCompiled : kDownloadedTo + job.destination;
    messages.finish(summaryOf(job.source, result.outcome, done, kLogNote + job.logPath()));
    return result.outcome;
}

Outcome runIfChanged(const Job& job, MessageChannel& messages, std::FILE* diagnostics) {
    const std::string logNote = kLogNote + job.logPath();
    StepResult result = compileLayout(job, messages);
    KeyboardHeader header{};
    if (result.outcome == Outcome::success) {
        announceSearch(job.destination, diagnostics);
        result = readHeaderBytes(job.destination, header);
    }
    if (result.outcome != Outcome::success) {
        reportFailure(job.source, result, &messages, diagnostics);
        messages.finish(summaryOf(job.source, result.outcome, "", logNote));
        return result.outcome;
    }
    std::ifstream file(withExtension(job.source, kImageExtension), std::ios::binary);
    const std::vector<unsigned char> image{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (keyboardHoldsImage(header, image)) {
        finishWithoutDownload(messages);
        tell(diagnostics, job.source, "the keyboard holds this image already");
        messages.finish({job.source, kAlreadyHeld, logNote});
        return Outcome::success;
    }
    result = downloadImage(job, messages);
    reportFailure(job.source, result, &messages, diagnostics);
    if (result.outcome != Outcome::success) {
        messages.finish(summaryOf(job.source, result.outcome, "", logNote));
        return result.outcome;
    }
    tell(diagnostics, job.source, "downloaded, the keyboard held another image");
    messages.finish({job.source, kDownloadedTo + job.destination, std::string(kReplacedNote) + ", " + logNote});
    return Outcome::imageReplaced;
}

Outcome runUpload(const std::string& image, const std::string& interfaceString, MessageChannel& messages,
                  std::FILE* diagnostics) {
    announceSearch(interfaceString, diagnostics);
    const StepResult result = uploadImage(image, interfaceString, messages);
    reportFailure(image, result, &messages, diagnostics);
    if (result.outcome == Outcome::success) tell(diagnostics, image, result.detail);
    messages.finish(summaryOf(image, result.outcome, kUploadedFrom + interfaceString,
                              result.outcome == Outcome::success ? result.detail : ""));
    return result.outcome;
}

Outcome runHeader(const std::string& interfaceString, std::FILE* output, std::FILE* diagnostics) {
    announceSearch(interfaceString, diagnostics);
    const StepResult result = readHeader(interfaceString, output);
    reportFailure(interfaceString, result, nullptr, diagnostics);
    return result.outcome;
}

}  // namespace kbx32
