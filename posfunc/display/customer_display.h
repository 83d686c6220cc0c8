#pragma once

// The customer display's calls: opening and closing, text and commands, raw
// display sequences and the completion callback.

#include "kbxfunc.h"

namespace kbxfunc {

struct FuncState;

// Clears the display and starts the update timer: 0, or 1 (stays closed).
int openDisplay(FuncState& state);
// Stops the timers: 0, or 1 when it was not open.
int closeDisplay(FuncState& state);
// Row 1..rows: text into the target image; row 0 or above rows: a command
// keyword with its argument. 1 when the display is not open.
int displayText(FuncState& state, char* text, int row, int value);
// 0xEC, the text's bytes and 0x00 in a command bracket.
int sendRawDisplaySequence(FuncState& state, const char* text);
// 1 while the library is not open, else stores the callback.
int setDisplayComplete(FuncState& state, KbxfuncDisplayComplete callback);

}  // namespace kbxfunc
