#pragma once

#include <iosfwd>

namespace kbxpos {

// The text of --help.
void printHelp(std::ostream& out);

}  // namespace kbxpos
