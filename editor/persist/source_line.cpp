#include "editor/persist/source_line.h"

#include <algorithm>
#include <array>

#include "editor/persist/text_scanner.h"

namespace kbxdoc::persist {
namespace {

constexpr char kQuote = '"';
constexpr char kBackslash = '\\';
constexpr char kComment = '!';
constexpr char kSkippedLead = '#';
constexpr std::size_t kKeyNameLength = 3;
constexpr long long kLargestNumber = 0x7FFFFFFF;
constexpr std::size_t kLongestHexNumber = 2;

bool isLetterOrDigit(char c) { return isDigit(c) || (upperAscii(c) >= 'A' && upperAscii(c) <= 'Z'); }

struct DirectiveName {
    std::string_view name;
    LineRole role;
    bool skipsColon;
};
// In the compiler's order: the first name the keyword contains is the directive.
constexpr std::array kDirectiveNames{
    DirectiveName{"TYPE", LineRole::otherDirective, true},   DirectiveName{"LANG", LineRole::otherDirective, true},
    DirectiveName{"KBID", LineRole::otherDirective, true},   DirectiveName{"INTER", LineRole::otherDirective, true},
    DirectiveName{"KBCI", LineRole::otherDirective, true},   DirectiveName{"SOUND", LineRole::otherDirective, true},
    DirectiveName{"SND", LineRole::otherDirective, true},    DirectiveName{"DEF", LineRole::keyDefaults, true},
    DirectiveName{"KEY", LineRole::otherDirective, false},   DirectiveName{"HK", LineRole::otherDirective, false},
    DirectiveName{"MOD", LineRole::otherDirective, true},    DirectiveName{"RATE", LineRole::otherDirective, true},
    DirectiveName{"BASE", LineRole::numberBase, true},       DirectiveName{"MSR", LineRole::otherDirective, true},
    DirectiveName{"PORT", LineRole::otherDirective, true},   DirectiveName{"CONV", LineRole::otherDirective, true},
    DirectiveName{"PARA", LineRole::otherDirective, true},   DirectiveName{"MEMORY", LineRole::otherDirective, true},
    DirectiveName{"VERSION", LineRole::otherDirective, true},
};

const DirectiveName* directiveOf(std::string_view keyword) {
    for (const DirectiveName& directive : kDirectiveNames) {
        if (keyword.find(directive.name) != std::string_view::npos) return &directive;
    }
    return nullptr;
}

int hexValue(char c) { return isDigit(c) ? c - '0' : upperAscii(c) - 'A' + 10; }

}  // namespace

bool SourceLine::isKeyLine() const {
    if (keyword.size() != kKeyNameLength) return false;
    const char last = keyword.back();
    return isDigit(last) || last == 'H' || last == 'T';
}

SourceLine normaliseSourceLine(std::string_view line) {
    SourceLine result;
    std::size_t i = 0;
    while (i < line.size() && (isBlank(line[i]) || line[i] == kSkippedLead)) ++i;
    while (i < line.size() && isLetterOrDigit(line[i])) result.keyword += upperAscii(line[i++]);
    bool quoted = false;
    for (; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\r' || c == '\n') break;
        if (quoted) {
            result.arguments += c;
            if (c == kQuote) {
                quoted = false;
            } else if (c == kBackslash && i + 1 < line.size()) {
                result.arguments += line[++i];
            }
            continue;
        }
        if (c == kComment) break;
        if (isBlank(c)) continue;
        if (c == kQuote) quoted = true;
        result.arguments += upperAscii(c);
    }
    return result;
}

LineRole lineRole(const SourceLine& line) {
    if (line.keyword.empty()) return LineRole::nothing;
    if (line.isKeyLine()) return LineRole::keyLine;
    const DirectiveName* directive = directiveOf(line.keyword);
    return directive != nullptr ? directive->role : LineRole::nothing;
}

std::string_view directiveArguments(const SourceLine& line) {
    std::string_view arguments = line.arguments;
    const DirectiveName* directive = directiveOf(line.keyword);
    if (directive != nullptr && directive->skipsColon && arguments.starts_with(':')) arguments.remove_prefix(1);
    return arguments;
}

SourceNumber readSourceNumber(std::string_view& text, bool hexadecimalBase) {
    if (text.empty() || text.front() == ',') {
        if (!text.empty()) text.remove_prefix(1);
        return {};
    }
    std::size_t length = 0;
    bool hasLetter = false;
    // The text is upper-cased already: the run takes digits and 'A'-'F'.
    while (length < text.size() && isHexDigit(text[length]) && upperAscii(text[length]) == text[length]) {
        hasLetter = hasLetter || !isDigit(text[length]);
        ++length;
    }
    const std::string_view digits = text.substr(0, length);
    const char after = length < text.size() ? text[length] : '\0';
    text.remove_prefix(length);
    SourceNumber number;
    long long value = 0;
    if (after == 'H' || (after != 'Z' && hexadecimalBase)) {
        if (digits.size() <= kLongestHexNumber) {
            for (char c : digits) value = value * 16 + hexValue(c);
            number.value = value;
        }
    } else if (hasLetter) {
        number.faulty = true;
    } else {
        for (char c : digits) value = std::min(kLargestNumber, value * 10 + (c - '0'));
        number.value = value;
    }
    while (!text.empty() && (text.front() == 'Z' || text.front() == 'H' || text.front() == ',')) text.remove_prefix(1);
    return number;
}

std::optional<bool> baseIsHexadecimal(const SourceLine& line) {
    const std::string_view arguments = directiveArguments(line);
    if (arguments.starts_with('H')) return true;
    if (arguments.starts_with('Z')) return false;
    return std::nullopt;
}

}  // namespace kbxdoc::persist
