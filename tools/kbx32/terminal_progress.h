#pragma once

#include <cstdio>
#include <string_view>

#include "tools/kbx32/messages.h"

// The messages of a run for a person at a terminal: one line per phase,
// redrawn in place with a carriage return as the percentage grows
// ("Compiling     42% [############                  ]"), and the summary
// line at the end instead of the message lines.
namespace kbx32 {

inline constexpr std::string_view kCompilingPhase = "Compiling";
inline constexpr std::string_view kDownloadingPhase = "Downloading";
inline constexpr std::string_view kUploadingPhase = "Uploading";

class TerminalProgress final : public MessageChannel {
public:
    // `transferPhase` names the phase that kind 3 begins: downloading or uploading.
    TerminalProgress(std::FILE* terminal, std::string_view transferPhase);
    void send(Message message, int value = 0) override;
    void finish(const RunSummary& summary) override;

private:
    void begin(std::string_view phase);
    void draw(int percent);
    // Ends the phase's line where it stands, so that the next text starts on
    // a line of its own.
    void endLine();

    std::FILE* terminal_;
    std::string_view transferPhase_;
    std::string_view phase_;  // the running phase, empty between phases
    int shownPercent_;        // on the phase's line; below 0 while nothing is drawn
};

}  // namespace kbx32
