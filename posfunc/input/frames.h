#pragma once

// The frame reader: module data between two markers of the same module,
// translated into the module's buffer and handed to its callback.

#include <cstdint>

#include "posfunc/input/input_state.h"

namespace kbxfunc {

// A marker of module `module` (1-6): ends that module's open frame (NUL,
// callback with the count) or starts a frame of it, abandoning any other.
void handleFrameMarker(InputState& input, int module);

// A key event inside an open frame that goes through the translator: the
// scan code, with the break bit on a key-up. Characters beyond the frame's
// bound are dropped.
void addFrameKey(InputState& input, std::uint8_t translatorCode);

}  // namespace kbxfunc
