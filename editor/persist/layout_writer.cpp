#include "editor/persist/layout_writer.h"

#include <span>

#include "editor/document/key_table.h"
#include "editor/persist/layout_lines.h"
#include "editor/persist/sorted_group.h"
#include "editor/persist/text_scanner.h"
#include "platform/atomic_file.h"

namespace kbxdoc::persist {
namespace {

constexpr int kLastCaptionSlot = 198;     // key print and key size lines: slots 0-198
constexpr int kLastProgrammingSlot = 199;  // key programming and attribute lines: slots 0-199

// A text of the document that holds a line break is written up to it, so
// that no text can start a line of its own; the reader stops such texts at
// the first control character anyway.
void putLine(std::string& text, std::string_view line) {
    text += line.substr(0, findLineBreak(line));
    text += kLineEnd;
}

void putLines(std::string& text, std::string_view lines) {
    std::size_t start = 0;
    for (std::size_t end = lines.find(kLineEnd); end != std::string_view::npos; end = lines.find(kLineEnd, start)) {
        putLine(text, lines.substr(start, end - start));
        start = end + std::string_view(kLineEnd).size();
    }
    putLine(text, lines.substr(start));
}

void putGroup(std::string& text, SortedGroup&& group) {
    for (const std::string& line : std::move(group).sortedLines()) putLine(text, line);
}

void putKeyLines(std::string& text, const KeyboardData& keyboard) {
    SortedGroup group;
    for (int slot = 0; slot <= kLastCaptionSlot; ++slot) {
        const KeyRecord& key = keyboard.keys[slot];
        if (auto line = keyPrintLine(key)) group.add(std::move(*line));
        if (auto line = keySizeLine(key)) group.add(std::move(*line));
    }
    putGroup(text, std::move(group));
}

void putLayer(std::string& text, const KeyboardData& keyboard, const LayerDefinition& layer, int index) {
    putLine(text, layerLine(layer));
    SortedGroup programming;
    SortedGroup attributes;
    for (int slot = 0; slot <= kLastProgrammingSlot; ++slot) {
        const KeyRecord& key = keyboard.keys[slot];
        if (auto line = keyProgrammingLine(key, slot, layer, index)) programming.add(std::move(*line));
        if (auto line = keyAttributesLine(key, slot, index)) attributes.add(std::move(*line));
    }
    putGroup(text, std::move(programming));
    putGroup(text, std::move(attributes));
}

}  // namespace

std::string layoutText(const ActiveContext& context) {
    std::string text;
    if (context.keyboard == nullptr) return text;
    const KeyboardData& keyboard = *context.keyboard;
    const auto putStatement = [&text, &keyboard](Statement statement) {
        if (auto line = writtenStatementLine(keyboard, statement)) putLines(text, *line);
    };
    putStatement(Statement::type);
    if (auto line = memoryLine(keyboard)) putLine(text, *line);
    for (Statement statement : {Statement::version, Statement::interface, Statement::sound, Statement::rate,
                                Statement::language, Statement::hotkeys, Statement::mode, Statement::readerOptions})
        putStatement(statement);
    if (auto line = otherModeLine(keyboard)) putLine(text, *line);
    putLine(text, globalPrintLine(keyboard));
    putLine(text, keyboardSizeLine(keyboard));
    putKeyLines(text, keyboard);
    if (context.layers != nullptr) {
        for (int index = 0; index < kLayerCount; ++index) {
            const LayerDefinition& layer = (*context.layers)[index];
            if (!layer.name.empty()) putLayer(text, keyboard, layer, index);
        }
    }
    for (const std::string& kept : keyboard.keptLines) {
        if (kept.empty()) break;
        putLine(text, kept);
    }
    return text;
}

}  // namespace kbxdoc::persist

namespace kbxdoc {

bool saveLayout(const ActiveContext& context, const std::string& path) {
    if (context.keyboard == nullptr) return false;
    copyProgrammingUnderEnlargedKeys(context);
    const std::string text = persist::layoutText(context);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    return kbx::writeFileAtomically(path, std::span<const unsigned char>(bytes, text.size()));
}

}  // namespace kbxdoc
