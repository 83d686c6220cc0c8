#include "compiler/conversion/keystroke_writer.h"

#include <array>

#include "compiler/conversion/scan_codes.h"

namespace kbxc {
namespace {

// A saved state is reached key by key in this order.
constexpr std::array kRestoreOrder{
    Modifier::rightShift,   Modifier::leftShift,    Modifier::control,     Modifier::alt,
    Modifier::rightControl, Modifier::altGr,        Modifier::leftWindows, Modifier::rightWindows,
    Modifier::application,  Modifier::fakeShift,
};
static_assert(kRestoreOrder.size() == kModifierCount);

}  // namespace

KeystrokeWriter::KeystrokeWriter(bool shiftLockBehaviour, std::uint8_t initialStandard)
    : state_{initialStandard, 0, 0}, shiftLock_(shiftLockBehaviour) {}

void KeystrokeWriter::send(std::uint8_t byte) {
    trackByte(state_, byte, shiftLock_);
    output_.append(byte);
}

void KeystrokeWriter::sendKeystroke(std::uint8_t make) {
    send(make);
    send(breakCode(make));
}

void KeystrokeWriter::sendModifierCode(Modifier modifier, bool make) {
    const ModifierKey& key = modifierKey(modifier);
    if (key.extended) send(kPrefixE0);
    send(make ? key.make : breakCode(key.make));
}

bool KeystrokeWriter::isShift(Modifier modifier) const {
    return modifier == Modifier::leftShift || modifier == Modifier::rightShift;
}

void KeystrokeWriter::press(Modifier modifier) {
    if (isDown(modifier)) return;
    if (isShift(modifier) && shiftLock_ && lockOn()) return;
    sendModifierCode(modifier, true);
}

void KeystrokeWriter::release(Modifier modifier) {
    if (isDown(modifier)) sendModifierCode(modifier, false);
    if (isShift(modifier) && shiftLock_ && lockOn()) {
        sendModifierCode(modifier, true);
        sendModifierCode(modifier, false);
    }
}

void KeystrokeWriter::releaseAll(std::span<const Modifier> modifiers) {
    // Most texts type most characters with every modifier up: nothing to do.
    if (!anyModifierDown(state_) && !(shiftLock_ && lockOn())) return;
    for (Modifier modifier : modifiers) release(modifier);
}

void KeystrokeWriter::restore(const ModifierState& saved) {
    if (sameModifiersDown(state_, saved)) return;
    for (Modifier modifier : kRestoreOrder) {
        const bool wanted = kbxc::isDown(saved, modifier);
        if (isDown(modifier) != wanted) sendModifierCode(modifier, wanted);
    }
}

void KeystrokeWriter::tapCapsLock() {
    if ((state_.extended & kCapsLockHeld) != 0) {
        send(breakCode(kCapsLockMake));
        send(kCapsLockMake);
    } else {
        sendKeystroke(kCapsLockMake);
    }
}

void KeystrokeWriter::switchCapsLockOnForCharacter() {
    if (shiftLock_ || lockOn()) return;
    tapCapsLock();
    characterCapsLockPending_ = true;
}

void KeystrokeWriter::endCharacterCapsLock() {
    if (!characterCapsLockPending_) return;
    characterCapsLockPending_ = false;
    // Switched off by hand in between (a CapsLock token): leave it off.
    if (lockOn()) tapCapsLock();
}

}  // namespace kbxc
