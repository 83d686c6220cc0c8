#pragma once

#include "compiler/definition.h"

namespace kbxc {

// Removes the idle taps the modifier handling leaves behind: in every run of
// Shift and Control codes (1D, 2A, 36 and their breaks) that does not follow
// an E0, a make directly followed by its own break at the start of the run
// is dropped, again and again while the run has two bytes or more. With
// ShiftLock behaviour a Shift tap ends the lock, so Shift taps stay.
void removeIdleModifierTaps(ProgrammingBytes& bytes, bool shiftLockBehaviour);

}  // namespace kbxc
