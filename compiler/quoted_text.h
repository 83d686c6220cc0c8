#pragma once

#include <optional>
#include <string_view>

namespace kbxc {

// The text between the first and the last double quote, if there are two.
std::string_view betweenFirstAndLastQuote(std::string_view text);

// The value of the two hex digits at the start of `text` ("4B", "e0").
std::optional<unsigned> twoHexDigits(std::string_view text);

// "\xHH" or "\XHH" at the start of `text`: the byte it gives.
std::optional<unsigned> hexEscape(std::string_view text);

}  // namespace kbxc
