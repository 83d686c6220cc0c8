#include "compiler/diagnostics.h"

#include <algorithm>
#include <cerrno>

namespace kbxc {

bool Diagnostics::openLog(const std::string& path) {
    logError_ = 0;
    log_.reset(std::fopen(path.c_str(), "w"));
    return log_ != nullptr;
}

bool Diagnostics::closeLog() {
    if (!log_) return true;
    if (std::fflush(log_.get()) != 0 && logError_ == 0) logError_ = errno;
    if (std::fclose(log_.release()) != 0 && logError_ == 0) logError_ = errno;
    if (logError_ == 0) return true;
    errno = logError_;
    return false;
}

void Diagnostics::write(std::string_view text) {
    if (!log_) return;
    if (std::fwrite(text.data(), 1, text.size(), log_.get()) != text.size() && logError_ == 0) logError_ = errno;
}

void Diagnostics::writef(const char* format, const char* argument) {
    char record[kMaxRecord];
    const int length = std::snprintf(record, sizeof record, format, argument);
    if (length > 0) write({record, std::min(std::size_t(length), sizeof record - 1)});
}

void Diagnostics::writef(const char* format, long long argument) {
    char record[kMaxRecord];
    const int length = std::snprintf(record, sizeof record, format, argument);
    if (length > 0) write({record, std::min(std::size_t(length), sizeof record - 1)});
}

void Diagnostics::startLine(std::string_view physicalLine) {
    currentLine_ = physicalLine;
    ++lineNumber_;
}

void Diagnostics::reportLineError(std::string_view message) {
    constexpr char kEcho[] = "%03lld: ";
    constexpr char kError[] = "ERROR (line %lld): ";
    // The echo of a line stops where a C string would: at a zero byte.
    const std::string_view echo = currentLine_.substr(0, currentLine_.find('\0'));
    writef(kEcho, lineNumber_);
    write(echo);
    // A piece of an over-long line, or the last line of a file, has no line
    // end of its own; the echo always ends its log line.
    if (echo.empty() || echo.back() != '\n') write("\n");
    writef(kError, lineNumber_);
    write(message);
    write("\n");
    ++errorCount_;
}

void Diagnostics::reset() {
    currentLine_ = {};
    lineNumber_ = 0;
    errorCount_ = 0;
}

}  // namespace kbxc
