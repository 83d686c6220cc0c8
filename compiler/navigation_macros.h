#pragma once

#include <span>
#include <string_view>

namespace kbxc {

// A built-in key definition that a navigation macro name in a key line
// stands for: its condition and attribute list and its programming text.
struct MacroRow {
    std::string_view name;
    std::string_view conditions;
    std::string_view programming;
};

// Every macro name starts with this text, so a line without it mentions none.
inline constexpr std::string_view kMacroNameStart = "KEY-";

// The full table, or the short one for the alternative controller.
std::span<const MacroRow> navigationMacros(bool alternativeController);

}  // namespace kbxc
