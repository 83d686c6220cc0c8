#pragma once

// The three bytes the compiler makes of a key line's conditions and
// attributes (condition state, condition mask, attribute byte), and how they
// map onto the document's condition and attribute words. The reader has the
// compiler read them, from the defaults that DEF lines set, so a key line it
// takes is written back with the same meaning.

#include <cstdint>
#include <optional>
#include <string_view>

#include "compiler/definition.h"

namespace kbxdoc::persist {

using DefinitionBits = kbxc::DefinitionBytes;

// Applies the conditions and attributes at the start of a normalised
// argument text ("+NL-C/A/P") as the compiler does, and moves `text` to where
// they end (a ':', a quote or the end). False when the compiler reports the
// list: an unknown letter or sign; the items before it are applied.
bool applyKeyItems(std::string_view& text, DefinitionBits& bits);

// The document's condition word and attribute word (fields 0 or 1) for the
// bits; none when the document cannot hold them: a trigger both "on release"
// and "press and release", or character output.
struct DocumentWords {
    std::uint32_t conditions = 0;
    std::uint32_t attributes = 0;
};
std::optional<DocumentWords> documentWords(const DefinitionBits& bits);

// The other way: the bits the writer's key line gives for a layer's
// condition word and an attribute word of values 0 or 1.
DefinitionBits definitionBits(std::uint32_t conditions, std::uint32_t attributes);

}  // namespace kbxdoc::persist
