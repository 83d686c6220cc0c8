#include "compiler/conversion/modifier_state.h"

#include "compiler/conversion/scan_codes.h"

namespace kbxc {
namespace {

constexpr std::array<ModifierKey, kModifierCount> kModifierKeys{{
    {0x2A, false, &ModifierState::standard, kLeftShiftDown},
    {0x36, false, &ModifierState::standard, kRightShiftDown},
    {0x1D, false, &ModifierState::standard, kControlDown},
    {0x1D, true, &ModifierState::extended, kRightControlDown},
    {0x38, false, &ModifierState::standard, kAltDown},
    {0x38, true, &ModifierState::extended, kAltGrDown},
    {0x5B, true, &ModifierState::windows, kLeftWindowsDown},
    {0x5C, true, &ModifierState::windows, kRightWindowsDown},
    {0x2A, true, &ModifierState::windows, kFakeShiftDown},
    {0x5D, true, &ModifierState::windows, kApplicationDown},
}};

// The down bits of the modifier keys in one byte of the state.
constexpr std::uint8_t downBitsIn(std::uint8_t ModifierState::*field) {
    std::uint8_t bits = 0;
    for (const ModifierKey& key : kModifierKeys) {
        if (key.field == field) bits |= key.downBit;
    }
    return bits;
}
constexpr std::uint8_t kStandardDownBits = downBitsIn(&ModifierState::standard);
constexpr std::uint8_t kExtendedDownBits = downBitsIn(&ModifierState::extended);
constexpr std::uint8_t kWindowsDownBits = downBitsIn(&ModifierState::windows);

constexpr std::uint8_t kPauseControlCode = 0x1D;

struct LockKey {
    std::uint8_t make;
    std::uint8_t lockBit;  // standard byte
    std::uint8_t heldBit;  // extended byte
};

constexpr std::array<LockKey, 3> kLockKeys{{
    {kCapsLockMake, kCapsLockOn, kCapsLockHeld},
    {kNumLockMake, kNumLockOn, kNumLockHeld},
    {kScrollLockMake, kScrollLockOn, kScrollLockHeld},
}};

const LockKey* findLockKey(std::uint8_t code) {
    for (const LockKey& key : kLockKeys) {
        if (key.make == code) return &key;
    }
    return nullptr;
}

const ModifierKey* findModifierKey(std::uint8_t code, bool extended) {
    for (const ModifierKey& key : kModifierKeys) {
        if (key.make == code && key.extended == extended) return &key;
    }
    return nullptr;
}

bool isShiftKey(const ModifierKey& key) {
    return &key == &modifierKey(Modifier::leftShift) || &key == &modifierKey(Modifier::rightShift);
}

void setBit(std::uint8_t& byte, std::uint8_t bit, bool on) {
    byte = static_cast<std::uint8_t>(on ? (byte | bit) : (byte & ~bit));
}

void trackLockKey(ModifierState& state, const LockKey& key, bool make, bool shiftLockBehaviour) {
    if (!make) {
        setBit(state.extended, key.heldBit, false);
        return;
    }
    if ((state.standard & kControlDown) != 0 || (state.extended & key.heldBit) != 0) return;
    setBit(state.extended, key.heldBit, true);
    const bool locksOnly = shiftLockBehaviour && key.make == kCapsLockMake;
    setBit(state.standard, key.lockBit, locksOnly || (state.standard & key.lockBit) == 0);
}

}  // namespace

const ModifierKey& modifierKey(Modifier modifier) { return kModifierKeys[static_cast<std::size_t>(modifier)]; }

bool isDown(const ModifierState& state, Modifier modifier) {
    const ModifierKey& key = modifierKey(modifier);
    return (state.*key.field & key.downBit) != 0;
}

bool anyModifierDown(const ModifierState& state) {
    return (state.standard & kStandardDownBits) != 0 || (state.extended & kExtendedDownBits) != 0 ||
           (state.windows & kWindowsDownBits) != 0;
}

bool sameModifiersDown(const ModifierState& a, const ModifierState& b) {
    return ((a.standard ^ b.standard) & kStandardDownBits) == 0 && ((a.extended ^ b.extended) & kExtendedDownBits) == 0 &&
           ((a.windows ^ b.windows) & kWindowsDownBits) == 0;
}

void trackByte(ModifierState& state, std::uint8_t byte, bool shiftLockBehaviour) {
    switch (byte) {
        case kPrefixE0: state.extended |= kE0Pending; return;
        case kPrefixE1: state.extended |= kE1Pending; return;
        case kPrefixE2: state.extended |= kE0Pending | kE1Pending; return;
        default: break;
    }
    const bool afterE0 = (state.extended & kE0Pending) != 0;
    const bool afterE1 = (state.extended & kE1Pending) != 0;
    setBit(state.extended, kE0Pending | kE1Pending, false);

    // Pause is E1 1D 45 (and E1 9D C5 for its break): the prefix covers the
    // Control code and the NumLock code after it, so neither counts.
    if (afterE1 && !afterE0) {
        if ((byte & ~kBreakBit) == kPauseControlCode) state.extended |= kE1Pending;
        return;
    }

    const auto code = static_cast<std::uint8_t>(byte & ~kBreakBit);
    const bool make = !isBreakCode(byte);
    if (const LockKey* lock = findLockKey(code)) {
        trackLockKey(state, *lock, make, shiftLockBehaviour);
        return;
    }
    if (const ModifierKey* key = findModifierKey(code, afterE0)) {
        setBit(state.*key->field, key->downBit, make);
        if (make && shiftLockBehaviour && isShiftKey(*key)) setBit(state.standard, kCapsLockOn, false);
    }
}

}  // namespace kbxc
