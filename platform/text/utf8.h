#pragma once

// Appends the UTF-8 form of a Unicode character.

#include <string>

namespace kbx::platform {

void appendUtf8(std::string& out, char32_t character);

}  // namespace kbx::platform
