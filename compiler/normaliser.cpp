#include "compiler/normaliser.h"

#include <algorithm>

namespace kbxc {
namespace {

constexpr bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

constexpr bool endsLine(char c) { return c == '\n' || c == '\0'; }

}  // namespace

void normaliseLine(std::string_view physical, NormalisedLine& line) {
    std::size_t i = 0;
    const std::size_t n = physical.size();
    // Leading blanks, tabs and "#" are skipped alike.
    while (i < n && (physical[i] == ' ' || physical[i] == '\t' || physical[i] == '#')) ++i;
    const std::size_t keywordStart = i;
    while (i < n && isAsciiAlnum(physical[i])) ++i;
    line.keyword.assign(physical.substr(keywordStart, i - keywordStart));
    for (char& c : line.keyword) c = upper(c);

    // The keyword and its terminator count against the line's capacity, as
    // does the argument text's terminator.
    char out[kMaxNormalisedLine];
    const std::size_t room = kMaxNormalisedLine - 2 - std::min(line.keyword.size(), kMaxNormalisedLine - 2);
    std::size_t length = 0;
    auto put = [&](char c) {
        if (length < room) out[length++] = c;
    };
    while (i < n && !endsLine(physical[i]) && length < room) {
        const char c = physical[i];
        if (c == '!') break;
        ++i;
        if (c == ' ' || c == '\t') continue;
        put(upper(c));
        if (c != '"') continue;
        // A quoted part is copied as written; a backslash takes the next
        // character with it, so an escaped quote does not end the part.
        while (i < n && !endsLine(physical[i])) {
            const char q = physical[i++];
            put(q);
            if (q == '\\' && i < n && !endsLine(physical[i])) {
                put(physical[i++]);
            } else if (q == '"') {
                break;
            }
        }
    }
    line.arguments.assign(out, length);
}

}  // namespace kbxc
