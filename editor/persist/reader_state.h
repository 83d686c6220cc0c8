#pragma once

#include <string>

#include "editor/persist/key_definition.h"

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
    // One bit per keyboard-wide statement (Statement) the file had.
    unsigned seenStatements = 0;
};

}  // namespace kbxdoc::persist
