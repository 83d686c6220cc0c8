#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kbxc {

// What the host believes about its modifier keys and locks after the bytes
// sent so far.
struct ModifierState {
    std::uint8_t standard = 0;  // modifiers and lock states, bits as in the definition's conditions
    std::uint8_t extended = 0;  // pending prefixes, right-hand modifiers, lock keys held
    std::uint8_t windows = 0;   // Windows keys, fake Shift, Application key
    friend bool operator==(const ModifierState&, const ModifierState&) = default;
};

// Standard byte.
inline constexpr std::uint8_t kRightShiftDown = 0x01;
inline constexpr std::uint8_t kLeftShiftDown = 0x02;
inline constexpr std::uint8_t kControlDown = 0x04;
inline constexpr std::uint8_t kAltDown = 0x08;
inline constexpr std::uint8_t kScrollLockOn = 0x10;
inline constexpr std::uint8_t kNumLockOn = 0x20;
inline constexpr std::uint8_t kCapsLockOn = 0x40;  // CapsLock, or ShiftLock with that behaviour
inline constexpr std::uint8_t kStandardModifiersAndLocks = 0x7F;

// Extended byte.
inline constexpr std::uint8_t kE0Pending = 0x01;
inline constexpr std::uint8_t kE1Pending = 0x02;
inline constexpr std::uint8_t kRightControlDown = 0x04;
inline constexpr std::uint8_t kAltGrDown = 0x08;
inline constexpr std::uint8_t kScrollLockHeld = 0x10;
inline constexpr std::uint8_t kNumLockHeld = 0x20;
inline constexpr std::uint8_t kCapsLockHeld = 0x40;

// Windows byte.
inline constexpr std::uint8_t kLeftWindowsDown = 0x01;
inline constexpr std::uint8_t kRightWindowsDown = 0x02;
inline constexpr std::uint8_t kFakeShiftDown = 0x04;
inline constexpr std::uint8_t kApplicationDown = 0x08;

// The modifier keys the conversion presses and releases, in the order of the
// shift modes that press (20-29) and release (30-39) one of them.
enum class Modifier : std::uint8_t {
    leftShift,
    rightShift,
    control,
    rightControl,
    alt,
    altGr,
    leftWindows,
    rightWindows,
    fakeShift,
    application,
};
inline constexpr std::size_t kModifierCount = 10;

struct ModifierKey {
    std::uint8_t make;                    // make code, after E0 when `extended`
    bool extended;
    std::uint8_t ModifierState::*field;  // where the key's down bit lives
    std::uint8_t downBit;
};

const ModifierKey& modifierKey(Modifier modifier);
bool isDown(const ModifierState& state, Modifier modifier);
// Whether any modifier key is down; whether every modifier key is up or
// down alike in two states (locks and prefixes aside).
bool anyModifierDown(const ModifierState& state);
bool sameModifiersDown(const ModifierState& a, const ModifierState& b);

// Feeds one sent byte to the state: prefixes are remembered for the next
// byte, modifier makes and breaks set and clear their bits, lock key makes
// toggle their locks. With ShiftLock behaviour the CapsLock key only locks
// and a Shift make releases the lock.
void trackByte(ModifierState& state, std::uint8_t byte, bool shiftLockBehaviour);

}  // namespace kbxc
