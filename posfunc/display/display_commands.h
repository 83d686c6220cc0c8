#pragma once

// The display's command language: a keyword and its argument.

namespace kbxfunc {

struct FuncState;

// Tries every keyword in order; each that matches the text's beginning takes
// effect. 0, or 1 when a keyword refused its argument or a byte failed.
int runDisplayCommand(FuncState& state, const char* text, int value);

}  // namespace kbxfunc
