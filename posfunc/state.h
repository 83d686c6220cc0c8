#pragma once

// Everything the point-of-sale library remembers, in one object. The library
// serves one application at a time; nothing here is guarded.

#include "posfunc/binding/kbxi32_binding.h"
#include "posfunc/commands/command_state.h"
#include "posfunc/display/display_state.h"
#include "posfunc/input/input_state.h"

namespace kbxfunc {

// The title of the library's messages about devices it cannot use.
inline constexpr char kDeviceMessageTitle[] = "kbxfunc";

struct FuncState {
    Kbxi32Binding kbxi;     // the interface library, loaded on first need
    InputState input;       // open, hook, frames, capture, callbacks, language
    CommandState commands;  // the command bracket and the byte transport
    DisplayState display;   // the customer display
};

// The process-wide instance.
FuncState& state();
// Starts again from a fresh state (closing what the old one held).
void resetStateForTests();

}  // namespace kbxfunc
