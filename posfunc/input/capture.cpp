#include "posfunc/input/capture.h"

#include "posfunc/state.h"

namespace kbxfunc {
namespace {

void startCaptureTimer(Capture& capture, unsigned milliseconds) {
    capture.timer = kbx::platform::setTimer(capture.timer, milliseconds, &captureTimerProc);
}

// Negative time-outs count as none: a timer of a negative length means nothing.
unsigned timeoutUnits(int timeout) { return timeout > 0 ? unsigned(timeout) : 0u; }

}  // namespace

int armCapture(InputState& input, int count, int reserved, int timeout) {
    Capture& capture = input.capture;
    capture.buffer.fill(0);
    capture.count = 0;
    capture.requested = count;
    capture.reserved = reserved;
    capture.timeout = timeout;
    killCaptureTimer(capture);
    if (const unsigned units = timeoutUnits(timeout)) startCaptureTimer(capture, units * kFirstWaitUnitMs);
    capture.armed = true;
    return 0;
}

void captureKey(InputState& input, std::uint8_t scanCode) {
    Capture& capture = input.capture;
    if (const unsigned milliseconds = timeoutUnits(capture.timeout)) startCaptureTimer(capture, milliseconds);
    if (capture.count >= capture.buffer.size()) return;
    capture.buffer[capture.count++] = scanCode;
    if (capture.requested >= 0 && capture.count == std::size_t(capture.requested)) {
        capture.armed = false;
        if (input.captureCallback) input.captureCallback(int(capture.count));
    }
}

void captureTimedOut(InputState& input) {
    Capture& capture = input.capture;
    const bool wasArmed = capture.armed;
    capture.armed = false;
    killCaptureTimer(capture);
    if (wasArmed && input.captureCallback) input.captureCallback(0);
}

void killCaptureTimer(Capture& capture) {
    if (capture.timer != 0) kbx::platform::killTimer(capture.timer);
    capture.timer = 0;
}

void captureTimerProc(void*, unsigned, kbx::platform::TimerId, std::uint32_t) { captureTimedOut(state().input); }

}  // namespace kbxfunc
