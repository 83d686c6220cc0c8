#include "tools/kbx32/run_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kbx32 {
namespace {

constexpr char kCannotWriteLog[] = "cannot write the log ";

std::string problemOf(const std::string& logPath, int error) { return logPath + ": " + std::strerror(error); }

}  // namespace

std::string appendToLog(const std::string& logPath, const std::string& text) {
    std::FILE* log = std::fopen(logPath.c_str(), "a");
    if (log == nullptr) return problemOf(logPath, errno);
    const bool written = std::fprintf(log, "%s\n", text.c_str()) >= 0;
    const int writeError = errno;
    if (std::fclose(log) != 0) return problemOf(logPath, written ? errno : writeError);
    return written ? std::string() : problemOf(logPath, writeError);
}

std::string cannotWriteLog(const std::string& logPath, int error) {
    return kCannotWriteLog + problemOf(logPath, error);
}

StepResult withLogProblem(StepResult result, const std::string& logProblem) {
    if (logProblem.empty()) return result;
    if (result.outcome == Outcome::success) return {Outcome::logNotOpened, kCannotWriteLog + logProblem};
    while (!result.detail.empty() && (result.detail.back() == '\n' || result.detail.back() == '\r'))
        result.detail.pop_back();
    result.detail += (result.detail.empty() ? "" : "; ") + std::string(kCannotWriteLog) + logProblem;
    return result;
}

}  // namespace kbx32
