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
    line.keyword.clear();
    line.arguments.clear();
    std::size_t i = 0;
    const std::size_t n = physical.size();
    // Leading blanks, tabs and "#" are skipped alike.
    while (i < n && (physical[i] == ' ' || physical[i] == '\t' || physical[i] == '#')) ++i;
    while (i < n && isAsciiAlnum(physical[i])) line.keyword.push_back(upper(physical[i++]));

    // The keyword and its terminator count against the line's capacity, as
    // does the argument text's terminator.
    const std::size_t room = kMaxNormalisedLine - 2 - std::min(line.keyword.size(), kMaxNormalisedLine - 2);
    std::string& out = line.arguments;
    auto put = [&](char c) {
        if (out.size() < room) out.push_back(c);
    };
    while (i < n && !endsLine(physical[i]) && out.size() < room) {
        const char c = physical[i];
        if (c == '!') break;
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (c != '"') {
            put(upper(c));
            ++i;
            continue;
        }
        put(c);
        ++i;
        while (i < n && !endsLine(physical[i])) {
            const char q = physical[i];
            if (q == '\\' && i + 1 < n && !endsLine(physical[i + 1])) {
                put(q);
                put(physical[i + 1]);
                i += 2;
                continue;
            }
            put(q);
            ++i;
            if (q == '"') break;
        }
    }
}

}  // namespace kbxc
