#include "editor/persist/layout_names.h"

namespace kbxdoc::persist {

std::string_view pseudoKeyName(int slot) {
    for (const PseudoKey& key : kPseudoKeys) {
        if (key.slot == slot) return key.name;
    }
    return {};
}

std::optional<int> pseudoKeySlot(std::string_view text) {
    for (const PseudoKey& key : kPseudoKeys) {
        if (text.substr(0, key.name.size()) == key.name) return key.slot;
    }
    return std::nullopt;
}

}  // namespace kbxdoc::persist
