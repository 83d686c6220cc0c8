#pragma once

// A caption in the double quotes of a "!@KEYPRINT:" line. The caption keeps
// its own backslash codes ("\line", "\\"); a backslash and the character
// after it travel together, so "\"" inside a caption does not end it. A quote
// that would end it is written twice. Files written before quotes were
// doubled read as they always did: their closing quote is followed by ";".

#include <cstddef>
#include <string>
#include <string_view>

namespace kbxdoc::persist {

// The caption as it goes between the quotes. A backslash left alone at the
// end starts no code and shows nothing; it is not written, since it would
// take the closing quote with it.
std::string captionForFile(std::string_view caption);

// The caption at the start of `text` (behind the opening quote), at most
// `limit` characters of it; `closed` when its closing quote was found, and
// `end` the position behind that quote.
struct FileCaption {
    std::string text;
    bool closed = false;
    std::size_t end = 0;
};
FileCaption captionFromFile(std::string_view text, std::size_t limit);

}  // namespace kbxdoc::persist
