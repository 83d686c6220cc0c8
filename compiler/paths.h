#pragma once

#include <string>
#include <string_view>

namespace kbxc {

// File names are the last component of a path ("/" separates folders); an
// extension is the part of the file name from its last ".".
std::string_view fileName(std::string_view path);
bool hasFileName(std::string_view path);
bool hasExtension(std::string_view path);
std::string withoutExtension(std::string_view path);
// Adds `extension` (with its ".") when the file name has none.
std::string withDefaultExtension(std::string_view path, std::string_view extension);
// Adds `name` when the path has no file name (it ends in a folder).
std::string withDefaultFileName(std::string_view path, std::string_view name);

}  // namespace kbxc
