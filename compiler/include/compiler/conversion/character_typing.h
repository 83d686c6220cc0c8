#pragma once

#include <cstdint>
#include <string_view>

namespace kbxc {

class KeystrokeWriter;

enum class Typing {
    normal,         // the character's own shift mode decides the modifiers
    heldModifiers,  // the modifiers pressed in the brace group stay; only what the key needs is added
};

struct TypingOptions {
    int language = 0;       // character table index
    bool makeOnly = false;  // make codes only, no shift modes
};

// Types one character (code page 437) on the national keyboard: with its
// accent key first where it has one; a character the keyboard cannot type
// as an Alt code on the keypad.
void typeCharacter(KeystrokeWriter& writer, std::uint8_t character, Typing typing,
                   const TypingOptions& options);

// Alt held while each decimal digit is typed on the keypad.
void sendAltDigits(KeystrokeWriter& writer, std::string_view digits);

}  // namespace kbxc
