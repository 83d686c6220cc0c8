#pragma once

#include <string_view>

#include "compiler/definition.h"

namespace kbxc {

// What the conversion reads of the keyboard-wide settings.
struct ConversionSettings {
    int language = 0;          // character table index 0-7 (US, GR, FR, UK, SG, SF, IT, SP)
    bool shiftLock = false;    // CapsLock behaves as ShiftLock
    bool globalAscii = false;  // MODE +GCA: character output unless make/break
};

enum class ConversionFailure { none, ascii, scancode };

struct Conversion {
    ProgrammingBytes bytes;  // at most kMaxProgrammingBytes, never a zero byte
    ConversionFailure failure = ConversionFailure::none;
    bool truncated = false;  // the text gave more bytes than fit; the rest was dropped
    bool characters = false;  // the bytes are character codes, not scan codes
};

// Converts one collected programming text (typed characters, brace groups,
// escapes) into the bytes the keyboard sends. `definition.attributes` may gain
// the character-output bit under the global ASCII flag, and loses it again
// when the text cannot go out as characters. `lineResultEmpty`
// tells whether this is the first text converted for the line: only then do
// the definition's conditions give the initial modifier state. On failure the
// bytes converted so far are still returned.
Conversion convertText(std::string_view text, DefinitionBytes& definition, bool lineResultEmpty,
                       const ConversionSettings& settings);

}  // namespace kbxc
