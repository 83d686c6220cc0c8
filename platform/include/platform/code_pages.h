#pragma once

// Conversion between Windows-1252 ("ANSI") and code page 437 ("OEM") texts,
// best fit as the system conversions do: a character without its own place
// in the other code page becomes its nearest look-alike (accented capitals
// their base letter, box-drawing characters "+", "-" and "|"), or "?" from
// ANSI to OEM when there is none. Control bytes stay as they are, and no
// printable character becomes one.

#include <string>
#include <string_view>

namespace kbx::platform {

unsigned char ansiToOem(unsigned char c);
unsigned char oemToAnsi(unsigned char c);
std::string ansiToOem(std::string_view text);
std::string oemToAnsi(std::string_view text);

// A Windows-1252 text as UTF-8, every byte kept (the unassigned 81, 8D, 8F,
// 90 and 9D become the control characters of the same number).
std::string ansiToUtf8(std::string_view text);

}  // namespace kbx::platform
