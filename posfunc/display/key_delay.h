#pragma once

// The hook tells the customer display about every keyboard event: while the
// display is open, its key-delay timer starts again, so that updates wait
// while the user types.

namespace kbxfunc {

struct FuncState;

void restartKeyDelay(FuncState& state);

}  // namespace kbxfunc
