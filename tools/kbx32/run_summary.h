#pragma once

#include <string>

// How a run ended, in words for the person who started it:
// "layout.kbf: compiled, downloaded to COM1 (log layout.LOG)".
namespace kbx32 {

struct RunSummary {
    std::string subject;  // the source or image file the run was about
    std::string result;   // "compiled, downloaded to COM1", or the text of the failure
    std::string note;     // "log layout.LOG"; empty for none
};

// The summary as one line with its line end.
std::string summaryLine(const RunSummary& summary);

}  // namespace kbx32
