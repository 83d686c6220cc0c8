#pragma once

// kbxpos's loop: the lines of its standard input and the point-of-sale
// library's event loop (timers, the keyboard hook), polled together.

#include <functional>
#include <string_view>

#include "tools/kbxpos/interpreter.h"

namespace kbxpos {

// Reads `input` line by line, running each through `runLine`, and dispatches
// the library's loop whenever it has something due. Ends at "quit" or the end
// of the input: true; false when the input or the library's loop cannot be polled.
bool runTerminal(int input, const std::function<After(std::string_view)>& runLine);

// Dispatches the library's loop for `milliseconds`, without reading input.
void runLibraryFor(int milliseconds);

}  // namespace kbxpos
