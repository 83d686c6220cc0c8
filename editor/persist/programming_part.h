#pragma once

// The programming part of a key line and the document's programming text.
//
// The document's text is what goes between the quotes: a backslash and the
// character after it belong together ("\"" is a quote, "\{" a brace), as the
// compiler reads them. A quote that no backslash takes, a control character
// and a backslash left alone at the end cannot stand inside quotes; they are
// written as character numbers "#n" between quoted runs, which the compiler
// collects as the same characters.

#include <optional>
#include <string>
#include <string_view>

namespace kbxdoc::persist {

// The items for a text; a plain text gives "\"text\"".
std::string programmingPart(std::string_view text);

// The document's text of a normalised programming part (quoted runs and "#n"
// items, separated by commas or colons): the runs as they stand and the
// numbered characters. None when the document cannot hold what the compiler
// makes of the part: a raw byte "%n", a character 0, an item the compiler
// rejects, nothing at all (an empty definition), or a text that written
// again would collect other characters.
std::optional<std::string> programmingTextOf(std::string_view part, bool hexadecimalBase);

// The characters the compiler collects from a programming part for its
// conversion; none where programmingTextOf has none for the part's items.
std::optional<std::string> collectedText(std::string_view part, bool hexadecimalBase);

}  // namespace kbxdoc::persist
