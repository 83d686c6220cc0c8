#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/kbx32/messages.h"
#include "tools/kbx32/run_summary.h"
#include "tools/kbx32/terminal_progress.h"

namespace kbx32 {
namespace {

// What a channel wrote, read back from a temporary file.
class Written {
public:
    Written() : file_(std::tmpfile()) {}
    ~Written() { std::fclose(file_); }
    Written(const Written&) = delete;
    Written& operator=(const Written&) = delete;

    std::FILE* stream() { return file_; }
    std::string text() {
        std::fflush(file_);
        std::rewind(file_);
        std::string contents;
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) contents += char(c);
        return contents;
    }

private:
    std::FILE* file_;
};

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(TerminalProgress, RedrawsThePhaseLineOnlyWhenThePercentageChanges) {
    Written out;
    TerminalProgress progress(out.stream(), kDownloadingPhase);
    progress.send(Message::compilePhase);
    for (const int percent : {0, 0, 50, 50, 50, 99}) progress.send(Message::progress, percent);
    progress.send(Message::phaseFinished);
    EXPECT_EQ(out.text(),
              "\rCompiling     0% [                              ]"
              "\rCompiling    50% [###############               ]"
              "\rCompiling    99% [#############################" " ]"
              "\rCompiling   100% [##############################]\n");
}

TEST(TerminalProgress, APhaseWithoutProgressLeavesNoLineAndTheSummaryEndsTheRun) {
    Written out;
    TerminalProgress progress(out.stream(), kDownloadingPhase);
    progress.send(Message::compilePhase);
    progress.send(Message::progress, 100);
    progress.send(Message::phaseFinished);
    // The download phase of a compile-only run: begun and finished at once.
    progress.send(Message::downloadPhase);
    progress.send(Message::phaseFinished);
    progress.finish({"layout.kbf", "compiled", "log layout.TXT"});
    const std::string text = out.text();
    EXPECT_EQ(countOf(text, "Downloading"), 0u) << text;
    EXPECT_EQ(text.substr(text.find('\n') + 1), "layout.kbf: compiled (log layout.TXT)\n");
    EXPECT_EQ(text.find("kbx_message"), std::string::npos);
}

TEST(TerminalProgress, AFailureEndsTheBarWhereItStoodBeforeTheSummary) {
    Written out;
    TerminalProgress progress(out.stream(), kUploadingPhase);
    progress.send(Message::downloadPhase);
    progress.send(Message::progress, 40);
    progress.send(Message::downloadNotPossible);
    progress.finish({"back.kbx", "Download nicht möglich", ""});
    EXPECT_EQ(out.text(),
              "\rUploading    40% [############                  ]\n"
              "back.kbx: Download nicht möglich\n");
}

// The dialog reads these lines byte for byte; the summary adds none.
TEST(MessageLines, SendTheLineProtocolAndNothingAtTheEnd) {
    Written out;
    MessageLines lines(out.stream());
    lines.send(Message::compilePhase);
    lines.send(Message::progress, 7);
    lines.send(Message::compileError);
    lines.finish({"layout.kbf", "Ein Compilierfehler ist aufgetreten", "log layout.TXT"});
    EXPECT_EQ(out.text(), "kbx_message 2 0\nkbx_message 0 7\nkbx_message 4 -1\n");
}

}  // namespace
}  // namespace kbx32
