#include "editor/persist/layout_names.h"

namespace kbxdoc::persist {

std::string_view pseudoKeyName(int slot) {
    for (const PseudoKey& key : kPseudoKeys) {
        if (key.slot == slot) return key.name;
    }
    return {};
}

std::optional<int> pseudoKeySlot(std::string_view text) {
    if (text.empty()) return std::nullopt;
    for (const PseudoKey& key : kPseudoKeys) {
        // The first letter rules out most names before a comparison of all three.
        if (key.name.front() == text.front() && text.substr(0, key.name.size()) == key.name) return key.slot;
    }
    return std::nullopt;
}

}  // namespace kbxdoc::persist
