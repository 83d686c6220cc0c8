#pragma once

// Texts typed at the terminal (UTF-8) in the display's single-byte
// character set (Windows-1252).

#include <string>
#include <string_view>

namespace kbxpos {

// Characters up to U+00FF keep their code, the other Windows-1252 characters
// (euro sign, quotes, dashes ...) get theirs, anything else and broken
// sequences become "?".
std::string utf8ToAnsi(std::string_view text);

}  // namespace kbxpos
