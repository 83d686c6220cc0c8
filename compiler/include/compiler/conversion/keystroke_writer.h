#pragma once

#include <cstdint>
#include <span>

#include "compiler/conversion/modifier_state.h"
#include "compiler/conversion/output_buffer.h"

namespace kbxc {

// Sends the bytes of a scancode conversion and keeps the host's modifier
// state in step with them. Pressing and releasing go only through keys whose
// state differs; with ShiftLock behaviour, releasing a Shift while the lock
// is on taps that Shift, which ends the lock.
class KeystrokeWriter {
public:
    KeystrokeWriter(bool shiftLockBehaviour, std::uint8_t initialStandard);

    void send(std::uint8_t byte);
    void sendKeystroke(std::uint8_t make);  // make and break
    void sendModifierCode(Modifier modifier, bool make);

    void press(Modifier modifier);
    void release(Modifier modifier);
    void releaseAll(std::span<const Modifier> modifiers);

    // Brings every modifier key back to the saved state (locks stay).
    void restore(const ModifierState& saved);

    // The CapsLock of shift modes 9 and 10: switched on for one character
    // unless a lock is already on, and remembered to be switched off again.
    void switchCapsLockOnForCharacter();
    void endCharacterCapsLock();

    const ModifierState& state() const { return state_; }
    bool shiftLockBehaviour() const { return shiftLock_; }
    bool lockOn() const { return (state_.standard & kCapsLockOn) != 0; }
    // CapsLock in effect as CapsLock (not as ShiftLock).
    bool capsLockOn() const { return lockOn() && !shiftLock_; }
    bool numLockOn() const { return (state_.standard & kNumLockOn) != 0; }
    bool isDown(Modifier modifier) const { return kbxc::isDown(state_, modifier); }

    OutputBuffer& output() { return output_; }

private:
    void tapCapsLock();
    bool isShift(Modifier modifier) const;

    ModifierState state_;
    bool shiftLock_;
    bool characterCapsLockPending_ = false;
    OutputBuffer output_;
};

}  // namespace kbxc
