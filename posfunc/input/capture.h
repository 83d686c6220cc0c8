#pragma once

// Raw capture: a given number of key codes, exactly as the keyboard sends
// them, into the capture buffer, with a time-out on the event loop.

#include <cstdint>

#include "platform/event_loop.h"
#include "posfunc/input/input_state.h"

namespace kbxfunc {

inline constexpr unsigned kFirstWaitUnitMs = 10;  // the first wait is the time-out x 10 ms

// kbx_capture_data: empties the buffer, keeps the arguments, and starts the
// capture timer (timeout x 10 ms) unless the time-out is 0. Always 0.
int armCapture(InputState& input, int count, int reserved, int timeout);

// A plain key-down while capture is armed: restarts the timer with the
// time-out in ms, stores the scan code while there is room, and disarms with
// the callback once the requested count is stored.
void captureKey(InputState& input, std::uint8_t scanCode);

// The capture timer expired: callback with 0 if still armed, then disarm and
// kill the timer.
void captureTimedOut(InputState& input);

void killCaptureTimer(Capture& capture);

// The capture timer's procedure (the library exports it as CaptureTimerProc).
void captureTimerProc(void* window, unsigned message, kbx::platform::TimerId id, std::uint32_t time);

}  // namespace kbxfunc
