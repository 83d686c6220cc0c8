#include "tools/kbx32/run.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "tools/kbx32/image_match.h"
#include "tools/kbx32/paths.h"
#include "tools/kbx32/port_diagnosis.h"
#include "tools/kbx32/steps.h"

namespace kbx32 {

namespace {

constexpr char kProgramName[] = "kbx32";

// Tells the dialog (when `messages` is given) and the person about a failure.
void reportFailure(const std::string& subject, const StepResult& result, MessageChannel* messages,
                   std::FILE* diagnostics) {
    const OutcomeRow& outcome = outcomeRow(result.outcome);
    if (!outcome.failure) return;
    if (messages) messages->send(*outcome.failure);
    const std::string_view text =
        outcome.ownText.empty() ? messageRow(*outcome.failure).dialogText : outcome.ownText;
    std::fprintf(diagnostics, "%s: %s: %.*s", kProgramName, subject.c_str(), int(text.size()), text.data());
    // The library ends some messages with a line end; the note is one line.
    std::string detail = result.detail;
    while (!detail.empty() && (detail.back() == '\n' || detail.back() == '\r')) detail.pop_back();
    if (!detail.empty()) std::fprintf(diagnostics, " (%s)", detail.c_str());
    std::fputc('\n', diagnostics);
}

// A search of the line settings takes a while when no keyboard answers:
// the person is told before it starts.
void announceSearch(const std::string& interfaceString, std::FILE* diagnostics) {
    if (!searchesLineSettings(interfaceString)) return;
    std::fprintf(diagnostics, "%s: %s: no line settings given, trying each until the keyboard answers\n", kProgramName,
                 interfaceString.c_str());
    std::fflush(diagnostics);
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
    return result.outcome;
}

Outcome runIfChanged(const Job& job, MessageChannel& messages, std::FILE* diagnostics) {
    StepResult result = compileLayout(job, messages);
    KeyboardHeader header{};
    if (result.outcome == Outcome::success) {
        announceSearch(job.destination, diagnostics);
        result = readHeaderBytes(job.destination, header);
    }
    if (result.outcome != Outcome::success) {
        reportFailure(job.source, result, &messages, diagnostics);
        return result.outcome;
    }
    std::ifstream file(withExtension(job.source, kImageExtension), std::ios::binary);
    const std::vector<unsigned char> image{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (keyboardHoldsImage(header, image)) {
        finishWithoutDownload(messages);
        std::fprintf(diagnostics, "%s: %s: the keyboard holds this image already\n", kProgramName, job.source.c_str());
        return Outcome::success;
    }
    result = downloadImage(job, messages);
    reportFailure(job.source, result, &messages, diagnostics);
    if (result.outcome != Outcome::success) return result.outcome;
    std::fprintf(diagnostics, "%s: %s: downloaded, the keyboard held another image\n", kProgramName, job.source.c_str());
    return Outcome::imageReplaced;
}

Outcome runUpload(const std::string& image, const std::string& interfaceString, MessageChannel& messages,
                  std::FILE* diagnostics) {
    announceSearch(interfaceString, diagnostics);
    const StepResult result = uploadImage(image, interfaceString, messages);
    reportFailure(image, result, &messages, diagnostics);
    if (result.outcome == Outcome::success) std::fprintf(diagnostics, "%s: %s: %s\n", kProgramName, image.c_str(),
                                                         result.detail.c_str());
    return result.outcome;
}

Outcome runHeader(const std::string& interfaceString, std::FILE* output, std::FILE* diagnostics) {
    announceSearch(interfaceString, diagnostics);
    const StepResult result = readHeader(interfaceString, output);
    reportFailure(interfaceString, result, nullptr, diagnostics);
    return result.outcome;
}

}  // namespace kbx32
