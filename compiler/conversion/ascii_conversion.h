#pragma once

#include <string_view>

#include "compiler/definition.h"

namespace kbxc {

struct AsciiResult {
    ProgrammingBytes bytes;
    bool complete = true;  // false: a brace item was not understood (the bytes so far are kept)
    bool truncated = false;
};

// Character output: the text's characters as they are, control characters
// named in braces, {SHIFT+x} and {CTRL+x} for one character, {{ for a brace
// and a backslash before a character that is to be taken plainly.
AsciiResult convertToAscii(std::string_view text);

}  // namespace kbxc
