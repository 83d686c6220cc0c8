#include "posfunc/input/opening.h"

#include "platform/key_events.h"
#include "platform/notifier.h"
#include "posfunc/input/capture.h"
#include "posfunc/input/hook.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

void startFrom(KeyboardState& keyboard, const kbx::platform::KeyboardModifiers& modifiers) {
    keyboard.shift = modifiers.shift;
    keyboard.control = modifiers.control;
    keyboard.alt = modifiers.alt;
    keyboard.scrollLock = modifiers.scrollLock;
    keyboard.numLock = modifiers.numLock;
    keyboard.capsLock = modifiers.capsLock;
    keyboard.breakPending = false;
    keyboard.altGr = false;
    keyboard.prefixE0 = false;
    keyboard.prefixE1 = false;
    keyboard.acknowledged = false;
}

}  // namespace

int openLibrary(FuncState& state) {
    InputState& input = state.input;
    if (!input.open) {
        // Key events reach the hook through the library's one state object,
        // so a source never outlives the state it feeds.
        kbx::platform::OpenedKeyEventSource opened = kbx::platform::openKeyEventSource(
            [](std::uint32_t keyData) { return hookProcedure(kbxfunc::state(), 0, keyData) == HookResult::swallowed; });
        if (opened.failed) {
            // The device and the system's reason, so the user can act on it.
            kbx::platform::notify(opened.error, kDeviceMessageTitle, kbx::platform::Buttons::ok);
            return 1;
        }
        if (!opened.warning.empty()) kbx::platform::notify(opened.warning, kDeviceMessageTitle, kbx::platform::Buttons::ok);
        input.eventSource = std::move(opened.source);
    }
    startFrom(input.keyboard, input.eventSource ? input.eventSource->modifiers() : kbx::platform::KeyboardModifiers{});
    input.open = true;
    return 0;
}

int closeLibrary(FuncState& state) {
    InputState& input = state.input;
    killCaptureTimer(input.capture);
    if (!input.open) return 1;
    input.open = false;
    input.eventSource.reset();
    return 0;
}

}  // namespace kbxfunc
