#include "posfunc/display/display_protocol.h"

#include <array>

#include "format/keyboard_protocol.h"
#include "posfunc/commands/byte_transport.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

struct GermanCharacter {
    std::uint8_t ansi;
    std::uint8_t display;
};

constexpr std::array kGermanCharacters{
    GermanCharacter{0xE4, 0x81},  // ä
    GermanCharacter{0xF6, 0x82},  // ö
    GermanCharacter{0xFC, 0x83},  // ü
    GermanCharacter{0xC4, 0x84},  // Ä
    GermanCharacter{0xD6, 0x85},  // Ö
    GermanCharacter{0xDC, 0x86},  // Ü
    GermanCharacter{0xDF, 0x87},  // ß
};

constexpr std::uint8_t kControlBase = 8;
constexpr std::uint8_t kControlDisplayOn = 4;
constexpr std::uint8_t kControlCursorShown = 2;
constexpr std::uint8_t kControlBlinking = 1;

}  // namespace

int sendDisplaySequence(FuncState& state, std::initializer_list<std::uint8_t> bytes) {
    if (const int result = sendCommandByte(state, kbx::protocol::kDisplayStart); result != 0) return result;
    int failed = 0;
    for (std::uint8_t byte : bytes) {
        failed = sendCommandByte(state, byte);
        if (failed != 0) break;
    }
    const int closed = sendCommandByte(state, kbx::protocol::kDisplayEnd);
    return failed != 0 ? failed : closed;
}

std::uint8_t displayControlByte(const DisplayState& display) {
    return static_cast<std::uint8_t>(kControlBase + (display.displayOn ? kControlDisplayOn : 0) +
                                     (display.cursorShown ? kControlCursorShown : 0) +
                                     (display.cursorBlinking ? kControlBlinking : 0));
}

std::uint8_t germanDisplayCharacter(std::uint8_t character) {
    for (const GermanCharacter& german : kGermanCharacters) {
        if (german.ansi == character) return german.display;
    }
    return character;
}

}  // namespace kbxfunc
