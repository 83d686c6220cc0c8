#include "compiler/directives.h"

#include <array>

#include "compiler/compile_state.h"
#include "compiler/line_cursor.h"
#include "compiler/short_text_match.h"

namespace kbxc {
namespace {

constexpr char kUnknownCommand[] = "unknown command";

struct Directive {
    std::string_view name;  // matched by containment in the keyword, in table order
    bool skipsLeadingColon;
    DirectiveHandler handle;
};

constexpr std::array<Directive, 19> kDirectives{{
    {"TYPE", true, handleType},
    {"LANG", true, handleLanguage},
    {"KBID", true, handleLanguage},
    {"INTER", true, handleInterface},
    {"KBCI", true, handleInterface},
    {"SOUND", true, handleSound},
    {"SND", true, handleSingleSound},
    {"DEF", true, handleDefaults},
    {"KEY", false, handleHotKey},
    {"HK", false, handleHotKey},
    {"MOD", true, handleMode},
    {"RATE", true, handleRate},
    {"BASE", true, handleBase},
    {"MSR", true, handleReader},
    {"PORT", true, handlePort},
    {"CONV", true, handleConversion},
    {"PARA", true, handleParameter},
    {"MEMORY", true, handleMemory},
    {"VERSION", true, handleVersion},
}};

}  // namespace

void compileDirective(std::string_view keyword, LineCursor& cursor, CompileState& state) {
    for (const Directive& directive : kDirectives) {
        if (!containsName(keyword, directive.name)) continue;
        if (directive.skipsLeadingColon && cursor.peek() == ':') cursor.advance();
        directive.handle(keyword, cursor, state);
        return;
    }
    state.diagnostics.reportLineError(kUnknownCommand);
}

}  // namespace kbxc
