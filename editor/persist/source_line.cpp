#include "editor/persist/source_line.h"

#include "compiler/diagnostics.h"
#include "compiler/directives.h"
#include "compiler/key_lines.h"
#include "compiler/line_cursor.h"
#include "compiler/normaliser.h"
#include "editor/persist/text_scanner.h"

namespace kbxdoc::persist {

bool SourceLine::isKeyLine() const { return kbxc::isKeyLine(keyword); }

SourceLine normaliseSourceLine(std::string_view line) {
    kbxc::NormalisedLine normalised;
    kbxc::normaliseLine(line, normalised);
    return {std::move(normalised.keyword), std::move(normalised.arguments)};
}

LineRole lineRole(const SourceLine& line) {
    if (line.keyword.empty()) return LineRole::nothing;
    if (line.isKeyLine()) return LineRole::keyLine;
    const kbxc::Directive* directive = kbxc::findDirective(line.keyword);
    if (directive == nullptr) return LineRole::nothing;
    if (directive->handle == &kbxc::handleDefaults) return LineRole::keyDefaults;
    if (directive->handle == &kbxc::handleBase) return LineRole::numberBase;
    return LineRole::otherDirective;
}

std::string_view directiveArguments(const SourceLine& line) {
    std::string_view arguments = line.arguments;
    const kbxc::Directive* directive = kbxc::findDirective(line.keyword);
    if (directive != nullptr && directive->skipsLeadingColon && arguments.starts_with(':')) arguments.remove_prefix(1);
    return arguments;
}

SourceNumber readSourceNumber(std::string_view& text, bool hexadecimalBase) {
    std::string arguments(text);
    kbxc::LineCursor cursor(arguments);
    kbxc::Diagnostics diagnostics;  // no log: the reader asks only whether the compiler objects
    const long long value = kbxc::readNumber(cursor, hexadecimalBase, diagnostics);
    text.remove_prefix(cursor.position());
    SourceNumber number;
    number.faulty = diagnostics.errorCount() > 0;
    if (!number.faulty && value != kbxc::kNoNumber) number.value = value;
    return number;
}

std::optional<bool> baseIsHexadecimal(const SourceLine& line) {
    const std::string_view arguments = directiveArguments(line);
    if (arguments.starts_with('H')) return true;
    if (arguments.starts_with('Z')) return false;
    return std::nullopt;
}

}  // namespace kbxdoc::persist
