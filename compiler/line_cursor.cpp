#include "compiler/line_cursor.h"

#include "compiler/diagnostics.h"

namespace kbxc {
namespace {

constexpr char kUnexpectedHexFigure[] = "unexpected hex figure";

constexpr bool isDecimal(char c) { return c >= '0' && c <= '9'; }
constexpr bool isHexLetter(char c) { return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
constexpr int hexValue(char c) {
    return isDecimal(c) ? c - '0' : (c >= 'a' ? c - 'a' + 10 : c - 'A' + 10);
}

}  // namespace

std::string_view LineCursor::readField() {
    const std::string_view remaining = rest();
    const std::size_t comma = remaining.find(',');
    if (comma == std::string_view::npos) {
        skipToEnd();
        return remaining;
    }
    advance(comma + 1);
    return remaining.substr(0, comma);
}

int lookUp(std::string_view field, std::span<const std::string_view> names, Match mode) {
    if (field.empty()) return kFieldEmpty;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool matches = mode == Match::exact ? field == names[i]
                                                  : containsName(field, names[i]);
        if (matches) return int(i);
    }
    return kFieldUnknown;
}

int readField(LineCursor& cursor, std::span<const std::string_view> names, Match mode) {
    return lookUp(cursor.readField(), names, mode);
}

long long readNumber(LineCursor& cursor, bool hexadecimalBase, Diagnostics& diagnostics) {
    if (cursor.atEnd() || cursor.peek() == ',') {
        cursor.advance();
        return kNoNumber;
    }
    const std::string_view remaining = cursor.rest();
    std::size_t length = 0;
    bool hasLetter = false;
    while (length < remaining.size() && (isDecimal(remaining[length]) || isHexLetter(remaining[length]))) {
        hasLetter = hasLetter || isHexLetter(remaining[length]);
        ++length;
    }
    const std::string_view digits = remaining.substr(0, length);
    const char after = length < remaining.size() ? remaining[length] : '\0';
    cursor.advance(length);

    long long value = 0;
    if (after == 'H' || (after != 'Z' && hexadecimalBase)) {
        if (digits.size() >= 3) {
            value = kNoNumber;
        } else {
            for (char c : digits) value = value * 16 + hexValue(c);
        }
    } else if (hasLetter) {
        diagnostics.reportLineError(kUnexpectedHexFigure);
        value = 0;
    } else {
        for (char c : digits) value = std::min(kMaxNumber, value * 10 + (c - '0'));
    }
    while (cursor.peek() == 'Z' || cursor.peek() == 'H' || cursor.peek() == ',') {
        if (cursor.atEnd()) break;
        cursor.advance();
    }
    return value;
}

}  // namespace kbxc
