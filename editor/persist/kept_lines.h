#pragma once

#include <string_view>

#include "editor/document/keyboard_data.h"

namespace kbxdoc::persist {

// Keeps a line the reader does not interpret, cut to kKeptLineField - 1
// characters, in the first empty entry; with kKeptLineCount entries in use
// the line is dropped.
void keepLine(KeyboardData& keyboard, std::string_view line);

}  // namespace kbxdoc::persist
