#pragma once

#include <array>
#include <string>

#include "editor/persist/key_definition.h"
#include "editor/persist/statements.h"

namespace kbxdoc::persist {

inline constexpr int kNoLayer = -1;

// What the line reader carries from one line of a layout file to the next.
struct ReaderState {
    // The name of the latest "!@KEYLAYER:" line that no key line has used
    // to create a layer yet.
    std::string pendingLayerName;
    // The layer of the latest key programming line taken; attribute lines
    // apply to it. None after a key line that was kept.
    int currentLayer = 0;
    // What the compiler carries between lines: the defaults of the latest DEF
    // line and the number base of the latest BASE line.
    DefinitionBits keyDefaults;
    bool hexadecimalBase = false;
    // The editor's own default lines: their keys take make/break and no
    // restore from the layer, as the writer does, whatever the line says.
    bool layerDecidesMakeBreak = false;
    // One bit per keyboard-wide statement the file had.
    unsigned seenStatements = 0;
    bool sawStatement(Statement statement) const {
        return (seenStatements & (1u << static_cast<unsigned>(statement))) != 0;
    }
    void markStatement(Statement statement) { seenStatements |= 1u << static_cast<unsigned>(statement); }
    // Per hot key: whether the file had it, and its line when it is one the editor writes.
    std::array<bool, 2> hotkeySeen{};
    std::array<std::string, 2> hotkeyLines;
};

}  // namespace kbxdoc::persist
