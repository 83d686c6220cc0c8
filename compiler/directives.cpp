#include "compiler/directives.h"

#include <array>

#include "compiler/compile_state.h"
#include "compiler/line_cursor.h"
#include "compiler/short_text_match.h"

namespace kbxc {
namespace {

constexpr char kUnknownCommand[] = "unknown command";

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

const Directive* findDirective(std::string_view keyword) {
    for (const Directive& directive : kDirectives) {
        if (containsName(keyword, directive.name)) return &directive;
    }
    return nullptr;
}

void compileDirective(std::string_view keyword, LineCursor& cursor, CompileState& state) {
    const Directive* directive = findDirective(keyword);
    if (directive == nullptr) {
        state.diagnostics.reportLineError(kUnknownCommand);
        return;
    }
    if (directive->skipsLeadingColon && cursor.peek() == ':') cursor.advance();
    directive->handle(keyword, cursor, state);
}

}  // namespace kbxc
