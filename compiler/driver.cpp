#include "compiler/driver.h"

#include <memory>
#include <string>

#include "compiler/compile_state.h"
#include "compiler/directives.h"
#include "compiler/image_writer.h"
#include "compiler/key_lines.h"
#include "compiler/line_cursor.h"
#include "compiler/normaliser.h"
#include "compiler/paths.h"
#include "compiler/source_reader.h"

namespace kbxc {
namespace {

constexpr char kDefaultLog[] = "kbxc.out";
constexpr char kDefaultLogName[] = "kbxc";
constexpr char kLogExtension[] = ".out";
constexpr char kSourceExtension[] = ".kbf";
constexpr char kImageExtension[] = ".kbx";
constexpr char kFilenameExpected[] = "ERROR: filename expected\n  kbxc <filename[.kbf]>";
constexpr char kSourceNotFound[] = "FATAL: '%s' not found\n";
constexpr char kNothingToDo[] = "ERROR: Nothing to do!";
constexpr char kErrorCount[] = "%lld error(s)\n";
constexpr char kSuccess[] = "OK\n";

using Progress = void (*)(int percent);

constexpr int kCompileOk = 0;
constexpr int kCompileErrors = 10;
constexpr int kCompileEmpty = 20;
constexpr int kCompileNoSource = 98;
constexpr int kProgressDone = 100;

void compileLine(NormalisedLine& line, CompileState& state) {
    if (line.keyword.empty()) return;
    LineCursor cursor(line.arguments);
    if (isKeyLine(line.keyword)) {
        compileKeyLine(line.keyword, cursor, state);
    } else {
        compileDirective(line.keyword, cursor, state);
    }
}

// Reads, normalises and compiles the next line or piece of a line; false at
// the end of the file.
bool compileNextLine(SourceReader& reader, NormalisedLine& line, CompileState& state) {
    std::string_view physical;
    if (!reader.next(physical)) return false;
    if (reader.continuesLine()) {
        state.diagnostics.continueLine(physical);
    } else {
        state.diagnostics.startLine(physical);
    }
    normaliseLine(physical, line);
    compileLine(line, state);
    return true;
}

int compileSource(const std::string& sourcePath, CompileState& state, Progress progress) {
    Diagnostics& diagnostics = state.diagnostics;
    SourceReader reader;
    if (!reader.open(sourcePath)) {
        diagnostics.writef(kSourceNotFound, sourcePath.c_str());
        diagnostics.countError();
        return kCompileNoSource;
    }
    const long long lineCount = reader.countLines();
    reader.close();
    if (lineCount < 1) {
        diagnostics.write(kNothingToDo);
        return kCompileEmpty;
    }
    if (!reader.open(sourcePath)) {
        diagnostics.writef(kSourceNotFound, sourcePath.c_str());
        diagnostics.countError();
        return kCompileNoSource;
    }
    diagnostics.resetLineCounter();
    NormalisedLine line;
    // Progress comes before each line that pass 1 counted, so it stays
    // below 100 until the image is written; a source that grew between the
    // passes is compiled to its end.
    do {
        if (progress && diagnostics.lineNumber() < lineCount) {
            progress(int(diagnostics.lineNumber() * 100 / lineCount));
        }
    } while (compileNextLine(reader, line, state));
    reader.close();
    if (diagnostics.errorCount() != 0) {
        diagnostics.writef(kErrorCount, diagnostics.errorCount());
        return kCompileErrors;
    }
    return kCompileOk;
}

// One compilation's state; large enough to live on the heap.
CompileState& freshState(std::unique_ptr<CompileState>& holder) {
    if (!holder) holder = std::make_unique<CompileState>();
    holder->reset();
    return *holder;
}

// Results of the export.
constexpr int kResultOk = 0;
constexpr int kResultFailed = -1;
constexpr int kResultNoSource = -2;
constexpr int kResultNoLog = -3;

// Closes the log; a log that could not be written fails the call as one
// that could not be opened, with errno saying why.
int closedLog(Diagnostics& diagnostics, int result) {
    return diagnostics.closeLog() ? result : kResultNoLog;
}

}  // namespace
}  // namespace kbxc

int kbxcCompileLayout(const char* source, const char* output, const char* log, void (*progress)(int percent)) {
    using namespace kbxc;
    std::unique_ptr<CompileState> holder;
    CompileState& state = freshState(holder);
    Diagnostics& diagnostics = state.diagnostics;

    const std::string logPath = log != nullptr
                                    ? withDefaultExtension(withDefaultFileName(log, kDefaultLogName), kLogExtension)
                                    : std::string(kDefaultLog);
    if (!diagnostics.openLog(logPath)) return kResultNoLog;
    if (source == nullptr || !hasFileName(source)) {
        diagnostics.write(kFilenameExpected);
        return closedLog(diagnostics, kResultNoSource);
    }
    const std::string sourcePath = withDefaultExtension(source, kSourceExtension);
    if (compileSource(sourcePath, state, progress) != kCompileOk) return closedLog(diagnostics, kResultFailed);
    const std::string outputPath = withDefaultExtension(
        output != nullptr && hasFileName(output) ? std::string(output) : withoutExtension(source), kImageExtension);
    if (writeImage(outputPath, state) != 0) return closedLog(diagnostics, kResultFailed);
    if (progress) progress(kProgressDone);
    diagnostics.write(kSuccess);
    return closedLog(diagnostics, kResultOk);
}
