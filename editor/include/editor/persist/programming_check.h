#pragma once

// What the compiler will make of a key's programming text on a layer, asked
// before the text is taken: a text that the compiler cannot convert, or
// whose bytes exceed what one key definition of the keyboard holds, would
// make the whole layout fail to compile.

#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/document/keyboard_data.h"

namespace kbxdoc::persist {

enum class ProgrammingProblem {
    notConvertible,  // a name in braces the compiler does not know, or a broken escape
    tooLong,         // more bytes than a key definition holds
};

// The text is the document's (Windows code page); the attribute word is the
// key's own on the layer (fields 0, 1 or 2, following the layer).
std::optional<ProgrammingProblem> programmingProblem(const KeyboardData& keyboard, const LayerDefinition& layer,
                                                     std::uint32_t attributes, std::string_view text);

}  // namespace kbxdoc::persist
