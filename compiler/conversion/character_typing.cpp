#include "compiler/conversion/character_typing.h"

#include <array>

#include "compiler/conversion/character_tables.h"
#include "compiler/conversion/keypad.h"
#include "compiler/conversion/keystroke_writer.h"
#include "compiler/conversion/scan_codes.h"
#include "compiler/conversion/shift_modes.h"

namespace kbxc {
namespace {

// Before an Alt code everything that could change the keypad's meaning goes
// up; right Shift and right Control stay as they are.
constexpr std::array kReleasedForAltCode{
    Modifier::fakeShift, Modifier::leftWindows, Modifier::rightWindows, Modifier::application,
    Modifier::leftShift, Modifier::control,     Modifier::altGr,        Modifier::alt,
};

constexpr int kAltCodeDigits = 3;
constexpr int kDecimal = 10;

void sendKeypadDigit(KeystrokeWriter& writer, int digit) {
    writer.sendKeystroke(kKeypadDigitMakes[static_cast<std::size_t>(digit)]);
}

void typeAltCode(KeystrokeWriter& writer, std::uint8_t character) {
    writer.releaseAll(kReleasedForAltCode);
    writer.press(Modifier::alt);
    std::array<int, kAltCodeDigits> digits{};
    int value = character;
    for (int i = kAltCodeDigits - 1; i >= 0; --i) {
        digits[static_cast<std::size_t>(i)] = value % kDecimal;
        value /= kDecimal;
    }
    for (int digit : digits) sendKeypadDigit(writer, digit);
    writer.release(Modifier::alt);
}

void sendDeadKey(KeystrokeWriter& writer, int language, int index, bool makeOnly) {
    const std::span<const std::uint8_t> accent = deadKeyString(language, index);
    if (accent.empty()) return;
    if (!makeOnly) applyShiftMode(writer, accent.front());
    for (std::uint8_t make : accent.subspan(1)) writer.sendKeystroke(make);
}

// What a key needs beyond the modifiers already held in the group.
void addNeededModifiers(KeystrokeWriter& writer, std::uint16_t entry, int language) {
    switch (entryShiftMode(entry)) {
        case kModeShift:
        case kModeCapitalLetter:
            sendDeadKey(writer, language, entryDeadKey(entry), false);
            writer.press(Modifier::leftShift);
            break;
        case kModeAltGr: writer.press(Modifier::altGr); break;
        default: break;
    }
}

}  // namespace

void typeCharacter(KeystrokeWriter& writer, std::uint8_t character, Typing typing,
                   const TypingOptions& options) {
    const std::uint16_t entry = characterTable(options.language)[character];
    if (entry == 0) {
        typeAltCode(writer, character);
        return;
    }
    if (typing == Typing::normal) {
        sendDeadKey(writer, options.language, entryDeadKey(entry), options.makeOnly);
        if (!options.makeOnly) applyShiftMode(writer, entryShiftMode(entry));
    } else if (!options.makeOnly) {
        addNeededModifiers(writer, entry, options.language);
    }
    const std::uint8_t make = entryMakeCode(entry);
    writer.send(make);
    if (!options.makeOnly) writer.send(breakCode(make));
}

void sendAltDigits(KeystrokeWriter& writer, std::string_view digits) {
    writer.send(kAltMake);
    for (char digit : digits) {
        if (digit >= '0' && digit <= '9') sendKeypadDigit(writer, digit - '0');
    }
    writer.send(breakCode(kAltMake));
}

}  // namespace kbxc
