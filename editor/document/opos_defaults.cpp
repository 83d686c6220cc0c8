#include "editor/document/opos_defaults.h"

namespace kbxdoc {

namespace {

// Pseudo-key name, then "-L+K/A/P/R: " and the programming text in quotes;
// last the card reader's bad-read statement.
constexpr std::array<std::string_view, kOposDefaultLineCount> kOposDefaultLines{
    "M1H-L+K/A/P/R: \"{POSMSR1}\"",
    "M1T-L+K/A/P/R: \"{POSMSR1}\"",
    "M2H-L+K/A/P/R: \"{POSMSR2}\"",
    "M2T-L+K/A/P/R: \"{POSMSR2}\"",
    "M3H-L+K/A/P/R: \"{POSMSR3}\"",
    "M3T-L+K/A/P/R: \"{POSMSR3}\"",
    "BCH-L+K/A/P/R: \"{POSBarcode}\"",
    "BCT-L+K/A/P/R: \"{POSBarcode}\"",
    "KLH-L+K/A/P/R: \"{POSKeylock}\"",
    "KLT-L+K/A/P/R: \"{POSKeylock}\"",
    "FIH-L+K/A/P/R: \"{POSFC}\"",
    "FRT-L+K/A/P/R: \"{POSFC}\"",
    "MSR LRC,: \"Err\\#\"",
};

}  // namespace

const std::array<std::string_view, kOposDefaultLineCount>& oposDefaultLines() { return kOposDefaultLines; }

void applyOposDefaults(const std::function<void(std::string_view)>& readLine) {
    if (!readLine) return;
    for (std::string_view line : kOposDefaultLines) readLine(line);
}

}  // namespace kbxdoc
