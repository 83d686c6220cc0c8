#include "editor/persist/layout_file.h"

namespace kbxdoc::persist {

std::optional<std::string> readFileBytes(const std::string& path, kbx::InputFailure* failure) {
    kbx::InputBytes read = kbx::readRegularFile(path);
    if (failure != nullptr) *failure = read.failure;
    if (read.failure) return std::nullopt;
    return std::move(read.bytes);
}

}  // namespace kbxdoc::persist
