#include "compiler/normaliser.h"

#include <array>

namespace kbxc {
namespace {

constexpr bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// Each character as it stands in a keyword (upper-cased), or 0 for one that
// ends the keyword; every line's keyword is read through it.
constexpr std::array<char, 256> kKeywordCharacters = [] {
    std::array<char, 256> characters{};
    for (int c = 0; c < 256; ++c) {
        if (isAsciiAlnum(char(c))) characters[std::size_t(c)] = upper(char(c));
    }
    return characters;
}();

char keywordCharacter(char c) { return kKeywordCharacters[static_cast<unsigned char>(c)]; }

constexpr bool endsLine(char c) { return c == '\n' || c == '\0'; }

}  // namespace

void normaliseLine(std::string_view physical, NormalisedLine& line) {
    std::size_t i = 0;
    const std::size_t n = physical.size();
    // Leading blanks, tabs and "#" are skipped alike.
    while (i < n && (physical[i] == ' ' || physical[i] == '\t' || physical[i] == '#')) ++i;
    const std::size_t keywordStart = i;
    while (i < n && keywordCharacter(physical[i]) != 0) ++i;
    line.keyword.assign(physical.substr(keywordStart, i - keywordStart));
    for (char& c : line.keyword) c = keywordCharacter(c);

    // A line without keyword is ignored as a whole: its arguments are never
    // read.
    std::string& arguments = line.arguments;
    if (line.keyword.empty()) {
        arguments.clear();
        return;
    }
    // The arguments are never longer than the rest of the line: they are
    // written in place and the string is cut to their length.
    arguments.resize(n - i);
    char* const out = arguments.data();
    std::size_t length = 0;
    while (i < n && !endsLine(physical[i])) {
        const char c = physical[i];
        if (c == '!') break;
        ++i;
        if (c == ' ' || c == '\t') continue;
        out[length++] = upper(c);
        if (c != '"') continue;
        // A quoted part is copied as written; a backslash takes the next
        // character with it, so an escaped quote does not end the part.
        while (i < n && !endsLine(physical[i])) {
            const char q = physical[i++];
            out[length++] = q;
            if (q == '\\' && i < n && !endsLine(physical[i])) {
                out[length++] = physical[i++];
            } else if (q == '"') {
                break;
            }
        }
    }
    arguments.resize(length);
}

}  // namespace kbxc
