#pragma once

// Text written into the target image (the update pass sends it).

namespace kbxfunc {

struct DisplayState;

// Converts the text in place in the caller's buffer as the character mode
// says, then writes it into row `row` (1-based) from column `column`
// (1-based); what falls outside the configured columns is dropped.
void writeDisplayText(DisplayState& display, char* text, int row, int column);

}  // namespace kbxfunc
