#include "posfunc/display/key_delay.h"

#include "posfunc/state.h"

namespace kbxfunc {

// The display does not hold updates back yet.
void restartKeyDelay(FuncState&) {}

}  // namespace kbxfunc
