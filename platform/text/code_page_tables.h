#pragma once

// The code-page tables, each in one place (code_page_tables.cpp).

#include <array>

namespace kbx::platform {

const std::array<unsigned char, 256>& ansiToOemTable();
const std::array<unsigned char, 256>& oemToAnsiTable();

// The Unicode character of a Windows-1252 byte.
char32_t ansiToUnicode(unsigned char c);

}  // namespace kbx::platform
