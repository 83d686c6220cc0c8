#pragma once

// The display's timers: the update pass that sends the changed parts of the
// target image in short blocks, the key delay that holds it back while the
// user types, and the periodic refresh that makes it rewrite everything.

#include <cstdint>

#include "platform/event_loop.h"

namespace kbxfunc {

struct FuncState;

// One update pass: at most one block per row, the completion callback when
// the display then shows the whole target. Restarts the update timer.
void runUpdatePass(FuncState& state);
// The key delay ran out: updates may go on.
void endKeyDelay(FuncState& state);
// The periodic refresh: everything counts as unsent.
void runRefresh(FuncState& state);

// (Re)starts the update timer with the block delay.
void startUpdateTimer(FuncState& state);
// Starts the refresh timer with the refresh interval, or stops it for 0.
void scheduleRefresh(FuncState& state);
// Stops all three timers.
void stopDisplayTimers(FuncState& state);

// The timer procedures on the event loop (the exported TimerProc,
// KeyTimerProc and RefreshTimerProc call these).
void updateTimerProc(void* window, unsigned message, kbx::platform::TimerId id, std::uint32_t time);
void keyTimerProc(void* window, unsigned message, kbx::platform::TimerId id, std::uint32_t time);
void refreshTimerProc(void* window, unsigned message, kbx::platform::TimerId id, std::uint32_t time);

}  // namespace kbxfunc
