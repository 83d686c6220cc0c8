#pragma once

// The keyboard event source that stands in for a desktop-wide keyboard hook:
// key events (the set-1 scan code and the hook's key-data bits, see
// platform/channel_protocol.h) dispatched on the calling thread's event
// loop; what the handler does not swallow is passed on to the desktop.
//
// The source is chosen by KBX_KEYBOARD_EVENTS:
//   sim:PATH                 the simulated keyboard's socket at PATH;
//   evdev:/dev/input/eventN  a Linux input device: scan codes from the MSC_SCAN
//                            event before each key event, the device grabbed
//                            while the source is open, passed-on events
//                            written to a uinput copy of the device;
//   serio:/dev/serio_rawN    the raw PS/2 port: every byte the keyboard sends,
//                            what is let through passed on through uinput;
// and when it is unset, the simulated keyboard of KBX_KEYBOARD or KBX_USB
// ("sim:PATH") if one is named, else the raw port of KBX_KEYBOARD
// ("serio:PATH"); else there is no source.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/keyboard_channel.h"

namespace kbx::platform {

inline constexpr char kKeyEventsVariable[] = "KBX_KEYBOARD_EVENTS";
inline constexpr char kUsbKeyboardVariable[] = "KBX_USB";
// Without a source of its own, the simulated keyboard that one of these
// names ("sim:PATH") serves, the first that names one.
inline constexpr const char* kSimulatedKeyboardVariables[] = {kKeyboardVariable, kUsbKeyboardVariable};

// Called for every key event; true when the event is swallowed.
using KeyEventHandler = std::function<bool(std::uint32_t keyData)>;

// The modifier keys held and the lock states when a source opens.
struct KeyboardModifiers {
    bool shift = false;    // the left Shift key
    bool control = false;  // the left Control key
    bool alt = false;      // either Alt key
    bool scrollLock = false;
    bool numLock = false;
    bool capsLock = false;
};

class KeyEventSource {
public:
    virtual ~KeyEventSource() = default;  // unwatches, ungrabs, closes
    // What the source can tell of the keyboard now; all off when it cannot.
    virtual KeyboardModifiers modifiers() const { return {}; }
};

struct OpenedKeyEventSource {
    std::unique_ptr<KeyEventSource> source;  // null when none is configured or on failure
    bool failed = false;                     // a configured source could not be opened
    std::string error;                       // what went wrong, for messages
    std::string warning;                     // an open source that lacks something, for messages
};

inline OpenedKeyEventSource openingFailed(std::string error) { return {nullptr, true, std::move(error), {}}; }
inline OpenedKeyEventSource openedSource(std::unique_ptr<KeyEventSource> source, std::string warning = {}) {
    return {std::move(source), false, {}, std::move(warning)};
}

// Whether any source is configured (whether or not it can be opened).
bool keyEventSourceConfigured();

// Opens the configured source and watches it on the calling thread's loop.
OpenedKeyEventSource openKeyEventSource(KeyEventHandler handler);

}  // namespace kbx::platform
