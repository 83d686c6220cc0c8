#include "compiler/key_lines.h"

#include <string>

#include "compiler/compile_state.h"
#include "compiler/conditions.h"
#include "compiler/line_cursor.h"
#include "compiler/navigation_macros.h"
#include "compiler/programming_reader.h"

namespace kbxc {
namespace {

constexpr char kUnknownKeycode[] = "unknown keycode";
constexpr char kMultipleAssignment[] = "multiple keyassignment";
constexpr char kMultipleMacroKey[] = "multiple defined key";
constexpr std::string_view kClickAttribute = "/K";
constexpr int kFirstWideModel = 11;

// Reads conditions and programming from the cursor into a definition for
// the key and inserts it; `duplicateMessage` reports an assignment made twice.
void compileDefinition(int keyIndex, LineCursor& cursor, CompileState& state, const char* duplicateMessage) {
    KeyDefinition definition;
    definition.bytes = state.keyboard.defDefaults;
    if (!readConditions(cursor, definition.bytes, state.diagnostics)) return;
    definition.program = readProgramming(cursor, definition.bytes, state.keyboard.hexadecimalBase,
                                         state.keyboard.conversion, state.diagnostics);
    state.lastAttributes = definition.bytes.attributes;
    if (insertDefinition(state.keys[std::size_t(keyIndex)], std::move(definition)) == Insertion::replaced) {
        state.diagnostics.reportLineError(duplicateMessage);
    }
}

// Replaces the line by the macro rows whose names it mentions; false when
// it mentions none.
bool expandMacros(int keyIndex, std::string_view arguments, CompileState& state) {
    // Every macro name starts alike: a line without that start mentions none.
    if (arguments.find(kMacroNameStart) == std::string_view::npos) return false;
    const bool click = arguments.find(kClickAttribute) != std::string_view::npos;
    bool expanded = false;
    for (const MacroRow& row : navigationMacros(state.keyboard.alternativeController)) {
        if (arguments.find(row.name) == std::string_view::npos) continue;
        std::string replacement;
        if (click) replacement += kClickAttribute;
        replacement += row.conditions;
        replacement += '"';
        replacement += row.programming;
        replacement += '"';
        LineCursor cursor(replacement);
        compileDefinition(keyIndex, cursor, state, kMultipleMacroKey);
        expanded = true;
    }
    return expanded;
}

}  // namespace

int keyIndexForKeyword(int model, std::string_view keyword) {
    int column = 0;
    for (std::size_t i = 1; i < keyword.size() && keyword[i] >= '0' && keyword[i] <= '9'; ++i) {
        column = column * 10 + (keyword[i] - '0');
    }
    const int index = keyword.empty() ? -1 : matrixKeyIndex(model, keyword[0], column);
    return index >= 0 ? index : pseudoKeyIndex(keyword);
}

Insertion insertDefinition(std::vector<KeyDefinition>& list, KeyDefinition definition) {
    const std::uint8_t state = definition.bytes.state;
    const std::uint8_t mask = definition.bytes.mask;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->bytes.mask == mask && it->bytes.state == state) {
            *it = std::move(definition);
            return Insertion::replaced;
        }
        if ((it->bytes.mask == mask && it->bytes.state > state) || it->bytes.mask < mask) {
            list.insert(it, std::move(definition));
            return Insertion::added;
        }
    }
    list.push_back(std::move(definition));
    return Insertion::added;
}

void compileKeyLine(std::string_view keyword, LineCursor& cursor, CompileState& state) {
    const int model = state.keyboard.model;
    if (model >= kFirstWideModel) state.bigLayout = true;
    const int keyIndex = keyIndexForKeyword(model, keyword);
    if (keyIndex < 0) {
        state.diagnostics.reportLineError(kUnknownKeycode);
        return;
    }
    if (expandMacros(keyIndex, cursor.rest(), state)) return;
    compileDefinition(keyIndex, cursor, state, kMultipleAssignment);
}

}  // namespace kbxc
