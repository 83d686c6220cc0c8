#pragma once

#include <string>

namespace kbxtest {

// The names of the dynamic symbols a shared library defines (functions and
// data, as `nm -D --defined-only` lists them), one per line, sorted.
std::string definedSymbols(const std::string& library);

}  // namespace kbxtest
