#include "posfunc/display/display_text.h"

#include "platform/code_pages.h"
#include "posfunc/display/display_protocol.h"
#include "posfunc/display/display_state.h"

namespace kbxfunc {
namespace {

// Only a byte the conversion changes is written back: a text that stays the
// same (plain ASCII) may lie in read-only memory, a string literal.
void convertInPlace(char* text, unsigned char (*convert)(unsigned char)) {
    for (char* p = text; *p != '\0'; ++p) {
        const auto converted = static_cast<char>(convert(static_cast<unsigned char>(*p)));
        if (converted != *p) *p = converted;
    }
}

}  // namespace

void writeDisplayText(DisplayState& display, char* text, int row, int column) {
    if (display.characters == DisplayCharacters::OemToAnsi) convertInPlace(text, &kbx::platform::oemToAnsi);
    if (display.characters == DisplayCharacters::AnsiToOem) convertInPlace(text, &kbx::platform::ansiToOem);
    auto& line = display.target[row - 1];
    // Counted in long long so that no column argument can overflow.
    long long position = static_cast<long long>(column) - 1;
    for (const char* p = text; *p != '\0' && position < display.columns; ++p, ++position) {
        if (position < 0) continue;
        std::uint8_t byte = static_cast<std::uint8_t>(*p);
        if (display.characters == DisplayCharacters::GermanDisplay) byte = germanDisplayCharacter(byte);
        line[static_cast<std::size_t>(position)] = byte;
    }
}

}  // namespace kbxfunc
