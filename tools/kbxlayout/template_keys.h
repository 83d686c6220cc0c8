#pragma once

// What a key of the alphanumeric typing block types on a national keyboard,
// taken from the compiler's character tables, and the legend and
// programming texts a template gives it.

#include <optional>
#include <string>

namespace kbxlayout {

// The characters (code page 437) a key types without and with Shift; none
// where the national keyboard has no character there.
struct TypedCharacters {
    std::optional<unsigned char> normal;
    std::optional<unsigned char> shifted;
};
TypedCharacters typedCharacters(int characterTable, unsigned makeCode);

// Whether the national keyboard has an AltGr key (some character needs it).
bool hasAltGr(int characterTable);

// What a template puts on one typing-block key: its legend (none: keep the
// layout's; empty: the key types nothing on this keyboard) and the
// programming texts of the normal, the shift and the make/break layer, in
// the editor's character set and the token language. A key that types is
// programmed on the normal and the shift layer; a modifier on the make/break
// layer alone, so that it goes down and up with its key whatever else is
// held.
struct KeyTexts {
    std::optional<std::string> caption;
    std::string normal;
    std::string shifted;
    std::string makeBreak;
};

struct TemplateCountry;

// The texts of the typing-block key at that grid position (row 0 the Ctrl
// row); none for a position outside the typing block.
std::optional<KeyTexts> typingBlockKeyTexts(const TemplateCountry& country, int column, int row);

// A legend text as it types: the programming text of a key that sends its
// own caption (the numeric block).
std::string programmingOfLegend(std::string_view legend);

}  // namespace kbxlayout
