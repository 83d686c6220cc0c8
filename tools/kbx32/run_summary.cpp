#include "tools/kbx32/run_summary.h"

#include "platform/terminal_text.h"

namespace kbx32 {

std::string summaryLine(const RunSummary& summary) {
    std::string line = summary.subject + ": " + summary.result;
    if (!summary.note.empty()) line += " (" + summary.note + ")";
    return kbx::platform::terminalText(line) + '\n';
}

}  // namespace kbx32
