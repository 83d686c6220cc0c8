#include "posfunc/display/key_delay.h"

#include <algorithm>

#include "posfunc/display/display_update.h"
#include "posfunc/state.h"

namespace kbxfunc {

void restartKeyDelay(FuncState& state) {
    DisplayState& display = state.display;
    if (!display.open) return;
    display.keyDelayTimer = kbx::platform::setTimer(
        display.keyDelayTimer, static_cast<unsigned>(std::max(display.keyDelayMs, 0)), &keyTimerProc);
}

}  // namespace kbxfunc
