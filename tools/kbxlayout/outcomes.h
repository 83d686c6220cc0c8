#pragma once

// How a run of kbxlayout ends: its exit status and what --help says of it.

#include <array>
#include <cstddef>
#include <string_view>

namespace kbxlayout {

// In the order of the rows of kOutcomes.
enum class Outcome {
    success,
    usage,
    unknownName,
    inputUnreadable,
    outputUnwritable,
    templatesFailed,
    notALayout,
    outputFailed,
};

struct OutcomeRow {
    Outcome outcome;
    int exitCode;
    std::string_view description;  // for --help
};

inline constexpr std::array kOutcomes{
    OutcomeRow{Outcome::success, 0, "done"},
    OutcomeRow{Outcome::usage, 1, "wrong arguments or an unknown subcommand; nothing was done"},
    OutcomeRow{Outcome::unknownName, 2, "the model, template or country named is not known"},
    OutcomeRow{Outcome::inputUnreadable, 3, "the layout file to read is missing or cannot be read"},
    OutcomeRow{Outcome::outputUnwritable, 4, "the layout file cannot be written (an older file stays as it was)"},
    OutcomeRow{Outcome::templatesFailed, 5, "the templates could not all be written"},
    OutcomeRow{Outcome::notALayout, 6, "the file to read holds no layout; nothing was written"},
    OutcomeRow{Outcome::outputFailed, 7, "the standard output could not be written"},
};

constexpr bool rowsFollowTheOutcomes() {
    for (std::size_t i = 0; i < kOutcomes.size(); ++i)
        if (kOutcomes[i].outcome != Outcome(i)) return false;
    return true;
}
static_assert(rowsFollowTheOutcomes(), "one row per Outcome, in enum order");

inline int exitCode(Outcome outcome) { return kOutcomes[std::size_t(outcome)].exitCode; }

}  // namespace kbxlayout
