#pragma once

// The bytes of a layout file, read whole within the bound every input file
// has.

#include <optional>
#include <string>

#include "platform/input_file.h"

namespace kbxdoc::persist {

// The whole file at `path`; none when it cannot be opened or read, is no
// regular file (a FIFO, a device) or is larger than kbx::kLargestInputFile,
// with the reason in `failure` when one is given.
std::optional<std::string> readFileBytes(const std::string& path, kbx::InputFailure* failure = nullptr);

}  // namespace kbxdoc::persist
