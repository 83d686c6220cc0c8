#include "editor/persist/layout_reader.h"

#include "editor/document/key_table.h"
#include "editor/document/opos_defaults.h"
#include "editor/persist/directive_lines.h"
#include "editor/persist/kept_lines.h"
#include "editor/persist/key_line_parser.h"
#include "editor/persist/key_definition.h"
#include "editor/persist/layout_file.h"
#include "editor/persist/layout_lines.h"
#include "editor/persist/metadata_lines.h"
#include "editor/persist/source_line.h"
#include "editor/persist/text_scanner.h"

namespace kbxdoc::persist {
namespace {

// DEF and BASE lines change how the compiler reads the key lines after
// them. The reader follows them to take those lines as the compiler does,
// and keeps them in their place among the kept lines, where they act on the
// kept lines after them as before.
bool followCompilerState(KeyboardData& keyboard, const SourceLine& source, std::string_view line,
                         ReaderState& state) {
    const LineRole role = lineRole(source);
    if (role == LineRole::keyDefaults) {
        DefinitionBits defaults;
        std::string_view items = directiveArguments(source);
        applyKeyItems(items, defaults);
        state.keyDefaults = defaults;
    } else if (role == LineRole::numberBase) {
        if (const auto hexadecimal = baseIsHexadecimal(source)) state.hexadecimalBase = *hexadecimal;
    } else {
        return false;
    }
    keepLine(keyboard, line);
    return true;
}

// The statements the file did not have keep the compiler's defaults as long
// as the document leaves them as the reading did.
void noteAbsentStatements(const ActiveContext& context, ReaderState& state) {
    if (context.keyboard == nullptr) return;
    KeyboardData& keyboard = *context.keyboard;
    finishHotkeys(keyboard, state);
    keyboard.absentStatementLines.clear();
    for (int index = 0; index < kStatementCount; ++index) {
        const auto statement = static_cast<Statement>(index);
        if (!state.sawStatement(statement)) keyboard.absentStatementLines.push_back(statementLine(keyboard, statement));
    }
}

}  // namespace

std::size_t readLayoutText(ActiveContext& context, std::string_view text) {
    ReaderState state;
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = findLineBreak(text, start);
        const std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty()) ++lines;
        readLayoutLine(context, line, state);
        if (end == std::string_view::npos) break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    noteAbsentStatements(context, state);
    return lines;
}

LayoutContent layoutContentOf(std::string_view text, std::size_t lines, const KeyboardData& read) {
    if (text.find('\0') != std::string_view::npos) return LayoutContent::binary;
    if (lines == 0) return LayoutContent::empty;
    if (read.keptLines.size() >= lines) return LayoutContent::noLayoutLine;
    return LayoutContent::layout;
}

}  // namespace kbxdoc::persist

namespace kbxdoc {

void readLayoutLine(ActiveContext& context, std::string_view line, persist::ReaderState& state) {
    if (context.keyboard == nullptr) return;
    line = line.substr(0, line.find('\0'));
    if (line.empty()) return;
    if (line.front() == '!') {
        persist::readCommentLine(context, line, state);
        return;
    }
    const persist::SourceLine source = persist::normaliseSourceLine(line);
    if (persist::followCompilerState(*context.keyboard, source, line, state)) return;
    if (persist::readDirectiveLine(context, line, state)) return;
    if (source.isKeyLine() && persist::readKeyProgrammingLine(context, source, state)) return;
    persist::keepLine(*context.keyboard, line);
}

void readOposDefaults(ActiveContext& context) {
    persist::ReaderState state;
    state.layerDecidesMakeBreak = true;
    applyOposDefaults([&](std::string_view line) { readLayoutLine(context, line, state); });
}

bool loadLayout(ActiveContext& context, const std::string& path) {
    if (context.keyboard == nullptr) return false;
    const std::optional<std::string> text = persist::readFileBytes(path);
    if (!text) return false;
    resetKeyboardData(context);
    context.keyboard->keptLines.clear();
    persist::readLayoutText(context, *text);
    return true;
}

}  // namespace kbxdoc
