#pragma once

// The commands kbxpos reads from its standard input, one a line.

#include <functional>
#include <iosfwd>
#include <string_view>

#include "tools/kbxpos/point_of_sale.h"

namespace kbxpos {

struct Session {
    PointOfSale& pointOfSale;
    std::ostream& out;                   // results and frames
    std::ostream& err;                   // mistakes in a command line
    std::function<void(int)> wait;       // runs the event loop for that many milliseconds
    int failedCommands = 0;              // refused lines and library failures so far
};

enum class After { Continue, Quit };

// Runs one line: prints "beep: ok" or "beep: failed (1)" for a command, a
// message on `err` for a line it does not understand; a failure and a
// refused line both count in the session's failedCommands. Blank lines and
// lines starting with "#" are skipped.
After runCommandLine(std::string_view line, Session& session);

// The command list, one usage line each, with the ranges the numbers are
// accepted in.
void printCommands(std::ostream& out);

}  // namespace kbxpos
