#include "tools/kbx32/compiler_library.h"
#include "tools/kbx32/paths.h"
#include "tools/kbx32/progress_relay.h"
#include "tools/kbx32/run_log.h"
#include "tools/kbx32/steps.h"

#include <cerrno>
#include <cstdio>

namespace kbx32 {

namespace {

// kbxc's results.
Outcome outcomeOfCompiler(int result) {
    switch (result) {
        case KBXC_OK: return Outcome::success;
        case KBXC_NO_SOURCE: return Outcome::sourceNotFound;
        case KBXC_NO_LOG: return Outcome::logNotOpened;
        default: return Outcome::compileError;
    }
}

// Without the compiler nobody writes the log, and the dialog would show the
// log of an earlier run; a short note takes its place.
void noteInLog(const std::string& logPath, const std::string& text) {
    std::FILE* log = std::fopen(logPath.c_str(), "w");
    if (log == nullptr) return;
    std::fprintf(log, "FATAL: %s\n", text.c_str());
    std::fclose(log);
}

}  // namespace

StepResult compileLayout(const Job& job, MessageChannel& messages) {
    messages.send(Message::compilePhase);
    const std::string logPath = job.logPath();

    const CompilerLibrary compiler;
    if (!compiler.usable()) {
        noteInLog(logPath, compiler.error());
        return {Outcome::compilerUnavailable, compiler.error()};
    }

    // The compiler reports a source it cannot open like any compile error;
    // the dialog has its own message for it. The compiler still runs, so that
    // the log says what happened instead of keeping an earlier run's text.
    const std::string sourcePath = compiledSourcePath(job.source);
    const bool sourceReadable = isReadableFile(sourcePath);

    int result = KBXC_FAILED;
    int logError = 0;  // why the log could not be written
    {
        const ProgressRelay relay(messages);
        result = compiler.compile(job.source.c_str(), nullptr, logPath.c_str(), ProgressRelay::callback());
        logError = errno;
    }

    if (!sourceReadable) return {Outcome::sourceNotFound, "cannot read " + sourcePath};
    const Outcome outcome = outcomeOfCompiler(result);
    switch (outcome) {
        case Outcome::success: messages.send(Message::phaseFinished); return {outcome, ""};
        case Outcome::logNotOpened: return {outcome, cannotWriteLog(logPath, logError)};
        case Outcome::sourceNotFound: return {outcome, "no source file name"};
        default: return {outcome, "see " + logPath};
    }
}

}  // namespace kbx32

namespace kbx32 {

StepResult finishWithoutDownload(MessageChannel& messages) {
    messages.send(Message::downloadPhase);
    messages.send(Message::phaseFinished);
    return {};
}

}  // namespace kbx32
