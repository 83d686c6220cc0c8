#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kbxc {

// A text or byte string longer than the image can hold.
inline constexpr char kStringTooLong[] = "string too long";

// The compiler's log file, the line counter and the error reporter. Every
// line error is written as two records: the physical line as read, then
// "ERROR (line N): message".
class Diagnostics {
public:
    // Opens (creates or truncates) the log; false when it cannot be opened.
    bool openLog(const std::string& path);
    // Flushes and closes the log: false (errno set) when any of its text
    // could not be written, the close included (a full disk, a size limit).
    bool closeLog();

    // Writes text to the log as it stands.
    void write(std::string_view text);
    // Writes a formatted record; the texts are bounded to kMaxRecord bytes.
    void writef(const char* format, const char* argument);
    void writef(const char* format, long long argument);

    // Reports an error in the current line and counts it.
    void reportLineError(std::string_view message);
    // Counts an error that has its own record (a fatal condition).
    void countError() { ++errorCount_; }

    // The physical line now being compiled; it must stay in place until the
    // next line starts.
    void startLine(std::string_view physicalLine);
    // A further piece of the current physical line, compiled under its number.
    void continueLine(std::string_view piece) { currentLine_ = piece; }
    void resetLineCounter() { lineNumber_ = 0; }
    long long lineNumber() const { return lineNumber_; }
    int errorCount() const { return errorCount_; }
    void reset();

    static constexpr std::size_t kMaxRecord = 1024;

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> log_;
    int logError_ = 0;  // errno of the first failed write of the log, or 0
    std::string_view currentLine_;
    long long lineNumber_ = 0;
    int errorCount_ = 0;
};

}  // namespace kbxc
