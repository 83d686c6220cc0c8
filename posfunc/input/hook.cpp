#include "posfunc/input/hook.h"

#include "posfunc/display/key_delay.h"
#include "posfunc/input/capture.h"
#include "posfunc/input/frames.h"
#include "posfunc/input/key_data.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

// Control and Shift are followed on every event the markers leave, so that
// a frame's characters see them even though key-ups are not translated. An
// extended Shift is the keyboard's own, sent around a cursor key: no key.
void trackModifiers(KeyboardState& keyboard, std::uint8_t scanCode, bool down, bool extended) {
    if (scanCode == kControlScanCode) keyboard.control = down;
    if (!extended && (scanCode == kLeftShiftScanCode || scanCode == kRightShiftScanCode)) keyboard.shift = down;
}

// An extended key (right Alt, the AltGr of national keyboards, the cursor
// block) reaches the translator as the keyboard sends it: behind 0xE0.
void addFrameEvent(InputState& input, std::uint32_t keyData) {
    const std::uint8_t scanCode = scanCodeOf(keyData);
    if (isExtendedKey(keyData)) addFrameKey(input, kExtendedPrefix);
    addFrameKey(input, isKeyUp(keyData) ? std::uint8_t(scanCode | kBreakBit) : scanCode);
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

    trackModifiers(input.keyboard, scanCode, !isKeyUp(keyData), isExtendedKey(keyData));

    if (input.capture.armed) {
        if (isPlainKeyDown(keyData)) captureKey(input, scanCode);
        return HookResult::swallowed;
    }

    if (input.frame.module != kNoModule) {
        if (isFrameKeyDown(keyData) || scanCode == kAltScanCode) addFrameEvent(input, keyData);
        return HookResult::swallowed;
    }
    return HookResult::passedOn;
}

}  // namespace kbxfunc
