#pragma once

// A line of a layout file as the compiler reads it. The reader looks at a
// line this way before it takes it into the document, so that what it takes
// it can write back with the same meaning, and what it cannot it keeps.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kbxdoc::persist {

// Leading blanks, tabs and '#' skipped; the keyword (letters and digits,
// upper-cased); then the argument text with blanks and tabs dropped and
// letters upper-cased outside double quotes, up to a '!' outside quotes.
// Inside quotes a backslash travels with the character after it.
struct SourceLine {
    std::string keyword;
    std::string arguments;

    // Three characters, the third a digit, 'H' or 'T': a key line.
    bool isKeyLine() const;
};
SourceLine normaliseSourceLine(std::string_view line);

// The directives whose effect reaches the key lines after them.
enum class LineRole {
    keyLine,
    keyDefaults,  // DEF: conditions and attributes every later key line starts from
    numberBase,   // BASE: the base of the numbers on later lines
    otherDirective,
    nothing,      // empty, a comment, or no directive name in the keyword
};
// The role the compiler gives the line: the first directive name of its
// table that the keyword contains.
LineRole lineRole(const SourceLine& line);

// The argument text a directive handler starts at: one ':' at its start skipped.
std::string_view directiveArguments(const SourceLine& line);

// One number of the argument text as the compiler reads it, in the given
// default base (a trailing 'H' makes it hexadecimal, 'Z' decimal): no value
// for an empty field or three hex digits; faulty for a hex letter in a
// decimal number, which the compiler reports.
struct SourceNumber {
    std::optional<long long> value;
    bool faulty = false;
};
// Reads at the start of `text` and moves `text` behind the number and its suffixes.
SourceNumber readSourceNumber(std::string_view& text, bool hexadecimalBase);

// The base a BASE line sets, when it names one.
std::optional<bool> baseIsHexadecimal(const SourceLine& line);

}  // namespace kbxdoc::persist
