#pragma once

// What the translator and the hook remember of the keyboard between key
// events: modifiers held, lock states, prefixes, the pending dead key and the
// Alt-numeric accumulator.

#include <cstdint>

namespace kbxfunc {

inline constexpr std::uint8_t kNoDeadKey = 255;

struct KeyboardState {
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool altGr = false;  // the right Alt
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
    bool capsLockKeyDown = false;
    bool numLockKeyDown = false;
    bool scrollLockKeyDown = false;
    bool breakPending = false;  // after E0 46 (Ctrl+Break)
    bool prefixE0 = false;
    bool prefixE1 = false;
    bool acknowledged = false;  // 0xFA seen
    std::uint8_t pendingDeadKey = kNoDeadKey;  // slot 0-6
    std::uint8_t altNumber = 0;                // Alt + numeric pad entry
    bool altNumberStarted = false;             // a digit of it was typed
    bool altNumberAnsi = false;                // its first digit was 0: a Windows-1252 code, else code page 437
};

}  // namespace kbxfunc
