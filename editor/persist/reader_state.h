#pragma once

#include <string>

namespace kbxdoc::persist {

// What the line reader carries from one line of a layout file to the next.
struct ReaderState {
    // The name of the latest "!@KEYLAYER:" line that no key line has used
    // to create a layer yet.
    std::string pendingLayerName;
    // The layer of the latest key programming line; attribute lines apply to it.
    int currentLayer = 0;
};

}  // namespace kbxdoc::persist
