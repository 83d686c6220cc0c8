#include "posfunc/translator/translator.h"

#include <array>
#include <optional>

#include "format/keyboard_protocol.h"
#include "platform/code_pages.h"
#include "posfunc/translator/altgr_lists.h"
#include "posfunc/translator/control_codes.h"
#include "posfunc/translator/dead_keys.h"
#include "posfunc/translator/function_key_tables.h"
#include "posfunc/translator/language.h"
#include "posfunc/translator/national_tables.h"
#include "posfunc/translator/scan_codes.h"

namespace kbxfunc {
namespace {

constexpr std::uint8_t kOverrunCharacter = 0x07;  // the keyboard's overrun rings the bell
constexpr std::uint8_t kPauseCharacter = 0xEC;
constexpr std::uint8_t kAltCharacterBit = 0x80;
constexpr std::uint8_t kSpaceKey = 0x39;
constexpr std::uint8_t kDecimal = 10;

// A composed apostrophe is the Spanish keyboard's acute accent alone.
constexpr std::uint8_t kApostrophe = '\'';
constexpr std::uint8_t kSpanishAcuteAccent = 0xAC;

// Keys that are held: the state follows make and break.
struct ModifierKey {
    std::uint8_t makeCode;
    bool KeyboardState::*held;
};
constexpr std::array<ModifierKey, 3> kModifierKeys{{
    {scan::kControl, &KeyboardState::control},
    {scan::kLeftShift, &KeyboardState::shift},
    {scan::kRightShift, &KeyboardState::shift},
}};

// Keys that toggle a lock on each make without Control.
struct LockKey {
    std::uint8_t makeCode;
    bool KeyboardState::*on;
    bool KeyboardState::*keyDown;
};
constexpr std::array<LockKey, 3> kLockKeys{{
    {scan::kCapsLock, &KeyboardState::capsLock, &KeyboardState::capsLockKeyDown},
    {scan::kNumLock, &KeyboardState::numLock, &KeyboardState::numLockKeyDown},
    {scan::kScrollLock, &KeyboardState::scrollLock, &KeyboardState::scrollLockKeyDown},
}};

void clearPrefixes(KeyboardState& keyboard) {
    keyboard.prefixE0 = false;
    keyboard.prefixE1 = false;
}

// Bytes of the keyboard that are not keys, and the prefixes; nothing when
// the byte is a key code.
std::optional<std::uint8_t> translateKeyboardByte(std::uint8_t code, KeyboardState& keyboard) {
    switch (code) {
        case scan::kOverrun: clearPrefixes(keyboard); return kOverrunCharacter;
        case kbx::protocol::kResend: clearPrefixes(keyboard); return 0;
        case kbx::protocol::kAcknowledge:
            clearPrefixes(keyboard);
            keyboard.acknowledged = true;
            return 0;
        case scan::kPrefixE0: keyboard.prefixE0 = true; return 0;
        case scan::kPrefixE1: keyboard.prefixE1 = true; return 0;
        default: return std::nullopt;
    }
}

// A key after 0xE0: the right-hand modifiers, Break, and the cursor and
// keypad keys of the extended list.
std::uint8_t translateExtendedKey(std::uint8_t code, KeyboardState& keyboard) {
    clearPrefixes(keyboard);
    const std::uint8_t makeCode = scan::makeCodeOf(code);
    const bool make = !scan::isBreak(code);
    // The keyboard's own Shift codes around the cursor keys.
    if (makeCode == scan::kLeftShift || makeCode == scan::kRightShift) return 0;
    if (makeCode == scan::kControl) {
        keyboard.control = make;
        return 0;
    }
    if (makeCode == scan::kAlt) {
        keyboard.altGr = make;
        return 0;
    }
    if (!make) return 0;
    if (makeCode == scan::kScrollLock) {  // Control + Pause is Break
        keyboard.breakPending = true;
        return 0;
    }
    if (keyboard.alt || keyboard.control) return 0;
    return extendedKeyCharacter(makeCode).value_or(0);
}

// Pause sends E1 1D 45 (and E1 9D C5 when released). The prefix covers the
// Control code as well, so that the code after it is taken as Pause rather
// than as Num Lock, and neither Control nor Num Lock changes.
std::uint8_t translatePauseSequence(std::uint8_t code, KeyboardState& keyboard) {
    clearPrefixes(keyboard);
    if (scan::makeCodeOf(code) == scan::kControl) {
        keyboard.prefixE1 = true;
        return 0;
    }
    return code == scan::kNumLock ? kPauseCharacter : 0;
}

void clearAltNumber(KeyboardState& keyboard) {
    keyboard.altNumber = 0;
    keyboard.altNumberStarted = false;
    keyboard.altNumberAnsi = false;
}

// The character of an Alt + numeric pad entry, in the Windows-1252 of every
// other module character: as the PC takes it, a code typed with a leading 0
// is a Windows-1252 code already, any other one a code page 437 character.
std::uint8_t altNumberCharacter(const KeyboardState& keyboard) {
    return keyboard.altNumberAnsi ? keyboard.altNumber : kbx::platform::oemToAnsi(keyboard.altNumber);
}

// Modifier and lock keys change the state and give nothing, except the
// release of Alt, which gives the code entered on the numeric pad while it
// was held. Nothing when the key is none of them.
std::optional<std::uint8_t> trackModifierOrLockKey(std::uint8_t makeCode, bool make, KeyboardState& keyboard) {
    if (makeCode == scan::kAlt) {
        keyboard.alt = make;
        if (make) {
            clearAltNumber(keyboard);
            return 0;
        }
        return altNumberCharacter(keyboard);
    }
    for (const ModifierKey& key : kModifierKeys) {
        if (key.makeCode != makeCode) continue;
        keyboard.*key.held = make;
        return 0;
    }
    for (const LockKey& key : kLockKeys) {
        if (key.makeCode != makeCode) continue;
        if (!make) {
            keyboard.*key.keyDown = false;
        } else if (!keyboard.control) {
            keyboard.*key.keyDown = true;
            keyboard.*key.on = !(keyboard.*key.on);
        }
        return 0;
    }
    if (makeCode == scan::kSysRq) return 0;
    return std::nullopt;
}

std::uint8_t characterOf(std::uint8_t entry) { return entry == kNoCharacter ? 0 : entry; }

bool isTableKey(std::uint8_t makeCode) {
    return makeCode != scan::kNoKey && makeCode < scan::kFirstFunctionKey;
}

// Alt held: the numeric pad enters a character code; other keys of the main
// block give their character with bit 7 set.
std::uint8_t translateWithAlt(std::uint8_t makeCode, const NationalTables& tables, KeyboardState& keyboard) {
    if (keyboard.control) return 0;
    if (const auto digit = numericPadDigit(makeCode)) {
        if (!keyboard.altNumberStarted) keyboard.altNumberAnsi = *digit == 0;
        keyboard.altNumberStarted = true;
        keyboard.altNumber = static_cast<std::uint8_t>(keyboard.altNumber * kDecimal + *digit);
        return 0;
    }
    clearAltNumber(keyboard);
    if (!isTableKey(makeCode) || makeCode == kSpaceKey) return 0;
    const std::uint8_t character = characterOf(tables.normal[makeCode]);
    return character == 0 ? 0 : static_cast<std::uint8_t>(character | kAltCharacterBit);
}

// Caps Lock on: letters are capitals, and Shift gives them small; keys that
// are no letters give their Shift character with Shift. The function keys
// and the numeric pad ignore Shift.
std::uint8_t translateWithCapsLock(std::uint8_t makeCode, const NationalTables& tables, bool shift) {
    for (const FixedCapsLockKey& key : tables.fixedCapsLockKeys)
        if (key.makeCode == makeCode) return shift ? key.shifted : key.plain;
    if (makeCode == scan::kExtraKey) return characterOf(shift ? tables.shift[0] : tables.capsLock[0]);
    if (!isTableKey(makeCode)) return functionKeyCharacter(makeCode, false);
    const bool letter = tables.capsLock[makeCode] != tables.normal[makeCode];
    const CharacterTable& unshifted = letter ? tables.capsLock : tables.normal;
    const CharacterTable& shifted = letter ? tables.normal : tables.shift;
    const CharacterTable& table = shift ? shifted : unshifted;
    return characterOf(table[makeCode]);
}

std::uint8_t translatePlain(std::uint8_t makeCode, const NationalTables& tables, bool shift) {
    if (makeCode != scan::kExtraKey && !isTableKey(makeCode)) return functionKeyCharacter(makeCode, shift);
    const CharacterTable& table = shift ? tables.shift : tables.normal;
    return characterOf(table[characterTableIndex(makeCode)]);
}

// The character of a make code that is no modifier, lock or dead key.
std::uint8_t translateKey(std::uint8_t makeCode, Language language, KeyboardState& keyboard) {
    const NationalTables& tables = nationalTables(language);
    if (keyboard.altGr && hasAltGrList(language)) return altGrCharacter(language, makeCode).value_or(0);
    if (keyboard.alt || keyboard.altGr) return translateWithAlt(makeCode, tables, keyboard);
    if (keyboard.control) return controlCharacter(language, makeCode);
    if (keyboard.capsLock) return translateWithCapsLock(makeCode, tables, keyboard.shift);
    return translatePlain(makeCode, tables, keyboard.shift);
}

// A pending accent combines with the next character there is; the accent is
// used up even when it does not combine with it.
std::uint8_t applyPendingDeadKey(std::uint8_t character, Language language, KeyboardState& keyboard) {
    if (character == 0 || keyboard.pendingDeadKey == kNoDeadKey) return character;
    const std::uint8_t slot = keyboard.pendingDeadKey;
    keyboard.pendingDeadKey = kNoDeadKey;
    const auto composed = composeWithDeadKey(slot, character);
    if (!composed) return character;
    if (language == Language::spanish && *composed == kApostrophe) return kSpanishAcuteAccent;
    return *composed;
}

}  // namespace

std::uint8_t translateScanCode(std::uint8_t code, int languageNumber, KeyboardState& keyboard) {
    if (const auto result = translateKeyboardByte(code, keyboard)) return *result;
    if (keyboard.prefixE0) return translateExtendedKey(code, keyboard);
    if (keyboard.prefixE1) return translatePauseSequence(code, keyboard);

    const Language language = languageFromNumber(languageNumber);
    const std::uint8_t makeCode = scan::makeCodeOf(code);
    const bool make = !scan::isBreak(code);
    // Only the press of a dead key makes its accent pending: its release
    // after the next key must not accent the key after that. With Control
    // held the key gives its control code instead (ESC for the French
    // circumflex key).
    if (make && !keyboard.control) {
        if (const auto slot = findDeadKeySlot(language, makeCode, keyboard.shift, keyboard.altGr)) {
            keyboard.pendingDeadKey = *slot;
            return 0;
        }
    }
    if (const auto result = trackModifierOrLockKey(makeCode, make, keyboard)) return *result;
    if (!make) return 0;
    // After Break the next key is taken as part of it (Num Lock, the only
    // exception, never gets here: it is a lock key).
    if (keyboard.breakPending) {
        keyboard.breakPending = false;
        return 0;
    }
    return applyPendingDeadKey(translateKey(makeCode, language, keyboard), language, keyboard);
}

}  // namespace kbxfunc
