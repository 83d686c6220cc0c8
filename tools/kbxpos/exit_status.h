#pragma once

// How a run of kbxpos ends: its exit status and what --help says of it.

#include <array>
#include <cstddef>
#include <string_view>

namespace kbxpos {

// In the order of the rows of kExitRows.
enum class Ending {
    success,
    commandFailed,
    usage,
    cannotOpen,
    loopFailed,
    outputFailed,
};

struct ExitRow {
    Ending ending;
    int exitCode;
    std::string_view description;  // for --help and the manual page
};

inline constexpr std::array kExitRows{
    ExitRow{Ending::success, 0, "the input ended or quit was given, and every command succeeded"},
    ExitRow{Ending::commandFailed, 1, "a command was refused or the library reported its failure"},
    ExitRow{Ending::usage, 2, "wrong arguments"},
    ExitRow{Ending::cannotOpen, 3, "the point-of-sale library cannot be opened"},
    ExitRow{Ending::loopFailed, 4, "the input or the library's event loop could not be read"},
    ExitRow{Ending::outputFailed, 5, "the standard output could not be written"},
};

constexpr bool rowsFollowTheEndings() {
    for (std::size_t i = 0; i < kExitRows.size(); ++i)
        if (kExitRows[i].ending != Ending(i)) return false;
    return true;
}
static_assert(rowsFollowTheEndings(), "one row per Ending, in enum order");

inline int exitCode(Ending ending) { return kExitRows[std::size_t(ending)].exitCode; }

}  // namespace kbxpos
