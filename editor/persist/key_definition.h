#pragma once

// The three bytes the compiler makes of a key line's conditions and
// attributes (condition state, condition mask, attribute byte), and how they
// map onto the document's condition and attribute words. The reader computes
// them exactly as the compiler does, from the defaults that DEF lines set,
// so a key line it takes is written back with the same meaning.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kbxdoc::persist {

struct DefinitionBits {
    std::uint8_t state = 0;
    std::uint8_t mask = 0x80;  // trigger on press
    std::uint8_t attributes = 0;
    friend bool operator==(const DefinitionBits&, const DefinitionBits&) = default;
};

// Applies the conditions and attributes at the start of a normalised
// argument text ("+NL-C/A/P") and moves `text` to where they end (a ':', a
// quote or the end). False when the compiler reports the list: an unknown
// letter or sign; the items before it are applied, as the compiler does.
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
