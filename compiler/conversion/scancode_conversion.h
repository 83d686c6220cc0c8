#pragma once

#include <cstdint>
#include <string_view>

#include "compiler/definition.h"

namespace kbxc {

struct ScancodeOptions {
    int language = 0;                 // character table index
    bool shiftLockBehaviour = false;  // CapsLock works as ShiftLock
    bool makeOnly = false;            // make/break key: make codes only, no modifier handling
};

struct ScancodeResult {
    ProgrammingBytes bytes;
    bool complete = true;  // false: the text was not consumed (the bytes so far are kept)
    bool truncated = false;  // more bytes than fit; the last ones, modifier releases too, are lost
};

// Types a programming text on the national keyboard: plain characters, brace
// groups with modifiers and key names, escapes and raw bytes. The modifiers
// start as `initialStandard` (standard byte of the modifier state) and end
// as they began.
ScancodeResult convertToScancodes(std::string_view text, std::uint8_t initialStandard,
                                  const ScancodeOptions& options);

}  // namespace kbxc
