#include "posfunc/input/hook.h"

#include "posfunc/display/key_delay.h"
#include "posfunc/input/capture.h"
#include "posfunc/input/frames.h"
#include "posfunc/input/key_data.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

// Control and Shift are followed on every event the markers leave, so that
// a frame's characters see them even though key-ups are not translated.
void trackModifiers(KeyboardState& keyboard, std::uint8_t scanCode, bool down) {
    if (scanCode == kControlScanCode) keyboard.control = down;
    if (scanCode == kLeftShiftScanCode || scanCode == kRightShiftScanCode) keyboard.shift = down;
}

}  // namespace

HookResult hookProcedure(FuncState& state, int code, std::uint32_t keyData) {
    if (code < 0) return HookResult::passedOn;  // no other hook follows here
    restartKeyDelay(state);

    InputState& input = state.input;
    const std::uint8_t scanCode = scanCodeOf(keyData);
    if (isFrameMarkerEvent(keyData) && !input.capture.armed) {
        handleFrameMarker(input, scanCode - kMarkerOffset);
        return HookResult::swallowed;
    }

    trackModifiers(input.keyboard, scanCode, !isKeyUp(keyData));

    if (input.capture.armed) {
        if (isPlainKeyDown(keyData)) captureKey(input, scanCode);
        return HookResult::swallowed;
    }

    if (input.frame.module != kNoModule) {
        if (isPlainKeyDown(keyData) || scanCode == kAltScanCode)
            addFrameKey(input, isKeyUp(keyData) ? std::uint8_t(scanCode | kBreakBit) : scanCode);
        return HookResult::swallowed;
    }
    return HookResult::passedOn;
}

}  // namespace kbxfunc
