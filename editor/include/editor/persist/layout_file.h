#pragma once

// The bytes of a layout file, read in large blocks.

#include <optional>
#include <string>

namespace kbxdoc::persist {

// The whole file at `path`; none when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::string& path);

}  // namespace kbxdoc::persist
