#pragma once

#include <cstddef>
#include <string_view>

// Comparisons of a short text with the short names of the compiler's tables
// (directives, fields, conditions, mode switches). The names have a few
// characters, so the bytes are compared in place: a library search costs
// more than the comparison itself, and the compiler makes millions of them.
namespace kbxc {

inline bool startsWithName(std::string_view text, std::string_view name) {
    if (text.size() < name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (text[i] != name[i]) return false;
    }
    return true;
}

// Whether `name` occurs anywhere in `text` (an empty name always does).
inline bool containsName(std::string_view text, std::string_view name) {
    if (name.empty()) return true;
    if (text.size() < name.size()) return false;
    const std::size_t lastStart = text.size() - name.size();
    for (std::size_t start = 0; start <= lastStart; ++start) {
        if (text[start] != name[0]) continue;
        std::size_t i = 1;
        while (i < name.size() && text[start + i] == name[i]) ++i;
        if (i == name.size()) return true;
    }
    return false;
}

}  // namespace kbxc
