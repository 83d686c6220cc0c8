#pragma once

// Key programming lines ("A01-C-S-A-L/P: \"abc\"", "M1H-L+K/A/P/R: ..."):
// the key, the conditions that pick (or create) the layer, the attribute
// flags and the programming text.

#include <cstdint>
#include <string_view>

#include "editor/document/active_context.h"
#include "editor/persist/reader_state.h"

namespace kbxdoc::persist {

// The items after the key name: the condition word (fields not named stay
// "does not matter") and the attribute flags; `end` is where they stopped.
struct KeyLineItems {
    std::uint32_t conditions = 0;
    std::uint32_t attributes = 0;
    std::size_t end = 0;
};
KeyLineItems readKeyLineItems(std::string_view line, std::size_t start);

// The layer-table index whose condition word equals `conditions` (the upper
// bit of the function-key layer field not compared); a new layer when no
// definition in use matches; -1 when all 16 are in use and none matches.
int layerForConditions(ActiveContext& context, std::uint32_t conditions, std::uint32_t attributes,
                       ReaderState& state);

// The programming text of a key line, OEM characters as in the file:
// after the first ':' and blanks, the quoted text; false when there is none.
bool readProgrammingText(std::string_view line, std::size_t start, std::string& text);

// True when the line was a key programming line and was taken; false when
// it names no existing key or no layer is left for its conditions.
bool readKeyProgrammingLine(ActiveContext& context, std::string_view line, ReaderState& state);

}  // namespace kbxdoc::persist
