#pragma once

#include <string>
#include <string_view>

namespace kbxc {

// A source line as the compiler sees it: the keyword (letters and digits,
// upper-cased) and the argument text (upper-cased, blanks removed, quoted
// parts kept as written, everything from a "!" outside quotes dropped). A
// line without keyword is ignored, and its argument text is left empty.
struct NormalisedLine {
    std::string keyword;
    std::string arguments;
};

// Normalises one physical line into `line` (whose buffers are reused). The
// normalised line is never longer than the physical one.
void normaliseLine(std::string_view physical, NormalisedLine& line);

}  // namespace kbxc
