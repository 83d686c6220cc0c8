#pragma once

#include <string_view>

namespace kbxc {

struct CompileState;
class LineCursor;

// Runs the directive whose name the keyword contains, or reports
// "unknown command".
void compileDirective(std::string_view keyword, LineCursor& cursor, CompileState& state);

// The handlers, one per directive family. Each reads its argument text from
// the cursor and reports its own errors.
using DirectiveHandler = void (*)(std::string_view keyword, LineCursor& cursor, CompileState& state);

struct Directive {
    std::string_view name;  // matched by containment in the keyword, in table order
    bool skipsLeadingColon;
    DirectiveHandler handle;
};

// The directive a keyword names: the first of the table whose name it
// contains; null when it contains none.
const Directive* findDirective(std::string_view keyword);

void handleType(std::string_view, LineCursor&, CompileState&);
void handleLanguage(std::string_view, LineCursor&, CompileState&);
void handleInterface(std::string_view, LineCursor&, CompileState&);
void handleSound(std::string_view, LineCursor&, CompileState&);
void handleSingleSound(std::string_view, LineCursor&, CompileState&);
void handleDefaults(std::string_view, LineCursor&, CompileState&);
void handleHotKey(std::string_view, LineCursor&, CompileState&);
void handleMode(std::string_view, LineCursor&, CompileState&);
void handleRate(std::string_view, LineCursor&, CompileState&);
void handleBase(std::string_view, LineCursor&, CompileState&);
void handleReader(std::string_view, LineCursor&, CompileState&);
void handlePort(std::string_view, LineCursor&, CompileState&);
void handleConversion(std::string_view, LineCursor&, CompileState&);
void handleParameter(std::string_view, LineCursor&, CompileState&);
void handleMemory(std::string_view, LineCursor&, CompileState&);
void handleVersion(std::string_view, LineCursor&, CompileState&);

}  // namespace kbxc
