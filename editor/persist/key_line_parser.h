#pragma once

// Key programming lines ("A01-C-S-A-L/P: \"abc\"", "M1H-L+K/A/P/R: ..."):
// the key, the conditions that pick (or create) the layer, the attribute
// flags and the programming text. A line is taken only when the document
// can hold what the compiler makes of it; any other key line is kept as it
// stands, so that it compiles as before.

#include <cstdint>
#include <string_view>

#include "editor/document/active_context.h"
#include "editor/persist/reader_state.h"
#include "editor/persist/source_line.h"

namespace kbxdoc::persist {

// The layer-table index whose condition word equals `conditions`; a new
// layer when no definition in use matches; -1 when all 16 are in use and
// none matches.
int layerForConditions(ActiveContext& context, std::uint32_t conditions, std::uint32_t attributes,
                       ReaderState& state);

// True when the key line was taken into the document; false when it is to
// be kept: it names no key of the layout, no layer is left for its
// conditions, or the document cannot say what it means.
bool readKeyProgrammingLine(ActiveContext& context, const SourceLine& line, ReaderState& state);

// Whether an attribute word from a "!@KEYATTRIB:" line says the same as the
// key's current word (the flags of its key line) for the attributes the
// writer takes from the key; the others come from the layer.
bool attributeWordAgrees(std::uint32_t word, std::uint32_t current, std::uint32_t layerDefaults);

}  // namespace kbxdoc::persist
