#include "compiler/conversion/shift_modes.h"

#include <array>
#include <span>

#include "compiler/conversion/keystroke_writer.h"

namespace kbxc {
namespace {

using M = Modifier;

// "Releasing the shifts" and "releasing the controls" go in these orders.
constexpr std::array kShiftsAndControls{M::fakeShift, M::leftWindows, M::rightWindows, M::application,
                                        M::rightShift, M::leftShift, M::rightControl, M::control,
                                        M::altGr, M::alt};
constexpr std::array kAllButShiftKeys{M::fakeShift, M::leftWindows, M::rightWindows, M::application,
                                      M::rightControl, M::control, M::altGr, M::alt};
constexpr std::array kAllButControls{M::fakeShift, M::leftWindows, M::rightWindows, M::application,
                                     M::rightShift, M::leftShift, M::altGr, M::alt};
constexpr std::array kAllButAlt{M::fakeShift, M::leftWindows, M::rightWindows, M::application,
                                M::rightShift, M::leftShift, M::rightControl, M::control, M::altGr};
constexpr std::array kAllButAltGr{M::fakeShift, M::leftWindows, M::rightWindows, M::application,
                                  M::rightShift, M::leftShift, M::rightControl, M::control, M::alt};
constexpr std::array kControls{M::rightControl, M::control, M::altGr, M::alt};
constexpr std::array kBothShifts{M::rightShift, M::leftShift};
constexpr std::array kBothShiftsAndControls{M::rightShift, M::leftShift, M::rightControl,
                                            M::control, M::altGr, M::alt};
constexpr std::array kAltGrAndBothShifts{M::altGr, M::rightShift, M::leftShift};

// What a mode does after its releases.
enum class Finish {
    nothing,
    press,                // the row's modifier
    shiftUnlessShifted,   // left Shift unless a Shift or the ShiftLock is in effect
    shiftWithCapsLock,    // left Shift with CapsLock on, else both Shifts up
    shiftWithoutCapsLock, // both Shifts up with CapsLock on, else left Shift
    shiftWithoutNumLock,  // both Shifts up with NumLock on, else left Shift
    shiftWithNumLock,     // left Shift with NumLock on, else both Shifts up
    capsLock,             // CapsLock on for this character
    capsLockAndShift,     // CapsLock on for this character, and left Shift
};

struct ShiftModeRule {
    int mode;
    std::span<const Modifier> releases;
    Finish finish;
    Modifier pressed = M::leftShift;
};

constexpr std::array kShiftModeRules{
    ShiftModeRule{kModeNone, {}, Finish::nothing},
    ShiftModeRule{kModePlain, kShiftsAndControls, Finish::nothing},
    ShiftModeRule{kModeShift, kAllButShiftKeys, Finish::shiftUnlessShifted},
    ShiftModeRule{kModeControl, kAllButControls, Finish::press, M::control},
    ShiftModeRule{kModeAlt, kAllButAlt, Finish::press, M::alt},
    ShiftModeRule{kModeAltGr, kAllButAltGr, Finish::press, M::altGr},
    ShiftModeRule{kModeSmallLetter, kControls, Finish::shiftWithCapsLock},
    ShiftModeRule{kModeCapitalLetter, kControls, Finish::shiftWithoutCapsLock},
    ShiftModeRule{kModeKeypadDigit, kControls, Finish::shiftWithoutNumLock},
    ShiftModeRule{kModeCapsLock, kBothShiftsAndControls, Finish::capsLock},
    ShiftModeRule{kModeCapsLockShift, kControls, Finish::capsLockAndShift},
    ShiftModeRule{kModeInverseKeypad, kControls, Finish::shiftWithNumLock},
    ShiftModeRule{kModeReleaseAltGrAndShifts, kAltGrAndBothShifts, Finish::nothing},
};

// The modes up to AltGr end the CapsLock a character switched on.
constexpr int kFirstModeKeepingCapsLock = kModeSmallLetter;

void leftShiftWhen(KeystrokeWriter& writer, bool pressed) {
    if (pressed) {
        writer.press(M::leftShift);
    } else {
        writer.releaseAll(kBothShifts);
    }
}

void finish(KeystrokeWriter& writer, const ShiftModeRule& rule) {
    switch (rule.finish) {
        case Finish::nothing: break;
        case Finish::press: writer.press(rule.pressed); break;
        case Finish::shiftUnlessShifted:
            if (!writer.isDown(M::rightShift)) writer.press(M::leftShift);
            break;
        case Finish::shiftWithCapsLock: leftShiftWhen(writer, writer.capsLockOn()); break;
        case Finish::shiftWithoutCapsLock: leftShiftWhen(writer, !writer.capsLockOn()); break;
        case Finish::shiftWithoutNumLock: leftShiftWhen(writer, !writer.numLockOn()); break;
        case Finish::shiftWithNumLock: leftShiftWhen(writer, writer.numLockOn()); break;
        case Finish::capsLock: writer.switchCapsLockOnForCharacter(); break;
        case Finish::capsLockAndShift:
            writer.switchCapsLockOnForCharacter();
            writer.press(M::leftShift);
            break;
    }
}

}  // namespace

void applyShiftMode(KeystrokeWriter& writer, int mode) {
    if (mode >= kModePressModifier && mode < kModePressModifier + static_cast<int>(kModifierCount)) {
        writer.press(static_cast<Modifier>(mode - kModePressModifier));
        return;
    }
    if (mode >= kModeReleaseModifier && mode < kModeReleaseModifier + static_cast<int>(kModifierCount)) {
        writer.release(static_cast<Modifier>(mode - kModeReleaseModifier));
        return;
    }
    for (const ShiftModeRule& rule : kShiftModeRules) {
        if (rule.mode != mode) continue;
        if (mode < kFirstModeKeepingCapsLock) writer.endCharacterCapsLock();
        writer.releaseAll(rule.releases);
        finish(writer, rule);
        return;
    }
}

}  // namespace kbxc
