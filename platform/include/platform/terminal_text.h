#pragma once

// Texts of the libraries for a person at a terminal. The libraries write
// their own texts in Windows-1252 ("Can\xB4t set com state of COM1."), while
// the file names and interface strings they repeat are the caller's bytes,
// UTF-8 on this system.

#include <string>
#include <string_view>

namespace kbx::platform {

// `text` as UTF-8: a well-formed UTF-8 sequence stays as it is, every other
// byte is read as Windows-1252. Control characters other than tab and line
// feed (an escape byte, the C1 controls) become '?', so that a text cannot
// steer the terminal.
std::string terminalText(std::string_view text);

}  // namespace kbx::platform
