#include "tools/kbx32/terminal_progress.h"

#include <algorithm>
#include <string>

#include "tools/kbx32/run_summary.h"

namespace kbx32 {

namespace {

constexpr int kNothingShown = -1;
constexpr int kLowestPercent = 0;
constexpr int kHighestPercent = 100;
constexpr int kBarWidth = 30;
constexpr int kPhaseNameWidth = 12;  // the longest phase name and a space
constexpr char kBarFilled = '#';
constexpr char kBarEmpty = ' ';
constexpr std::size_t kLineCapacity = 96;

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* terminal, std::string_view transferPhase)
    : terminal_(terminal), transferPhase_(transferPhase), shownPercent_(kNothingShown) {}

void TerminalProgress::send(Message message, int value) {
    switch (message) {
        case Message::compilePhase: begin(kCompilingPhase); return;
        case Message::downloadPhase: begin(transferPhase_); return;
        case Message::progress: {
            const int percent = std::clamp(value, kLowestPercent, kHighestPercent);
            if (!phase_.empty() && percent != shownPercent_) draw(percent);
            return;
        }
        case Message::phaseFinished:
            // A phase without any progress (the download of a compile-only
            // run) leaves no line behind.
            if (shownPercent_ != kNothingShown && shownPercent_ != kHighestPercent) draw(kHighestPercent);
            endLine();
            phase_ = {};
            return;
        default:
            // A failure: the bar stays at the percentage it reached.
            endLine();
            phase_ = {};
            return;
    }
}

void TerminalProgress::finish(const RunSummary& summary) {
    endLine();
    std::fputs(summaryLine(summary).c_str(), terminal_);
    std::fflush(terminal_);
}

void TerminalProgress::begin(std::string_view phase) {
    endLine();
    phase_ = phase;
}

void TerminalProgress::draw(int percent) {
    const int filled = percent * kBarWidth / kHighestPercent;
    const std::string bar =
        std::string(std::size_t(filled), kBarFilled) + std::string(std::size_t(kBarWidth - filled), kBarEmpty);
    char line[kLineCapacity];
    std::snprintf(line, sizeof line, "\r%-*.*s%3d%% [%s]", kPhaseNameWidth, int(phase_.size()), phase_.data(), percent,
                  bar.c_str());
    std::fputs(line, terminal_);
    std::fflush(terminal_);
    shownPercent_ = percent;
}

void TerminalProgress::endLine() {
    if (shownPercent_ == kNothingShown) return;
    std::fputc('\n', terminal_);
    std::fflush(terminal_);
    shownPercent_ = kNothingShown;
}

}  // namespace kbx32
