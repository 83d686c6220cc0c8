#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The exit codes of a tool, as its --help lists them. Each tool keeps one
// table of its own codes; this is the one form they are shown in, and the
// form the manual pages' EXIT STATUS sections are checked against.
namespace cli {

struct ExitCode {
    int code;
    std::string_view meaning;
};

// "Exit status:" and a line "  CODE  MEANING" per code, the meaning wrapped
// at the width of the help and continued under its first word.
std::string exitStatusText(std::span<const ExitCode> codes);

// The codes of a table whose rows hold more than a code and a meaning:
// exitCodesOf(kOutcomes, &OutcomeRow::exitCode, &OutcomeRow::description).
template <class Rows, class Row = typename Rows::value_type>
std::vector<ExitCode> exitCodesOf(const Rows& rows, int Row::*code, std::string_view Row::*meaning) {
    std::vector<ExitCode> codes;
    for (const Row& row : rows) codes.push_back({row.*code, row.*meaning});
    return codes;
}

}  // namespace cli
