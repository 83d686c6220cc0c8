#include "editor/persist/layout_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace kbxdoc::persist {

namespace {
constexpr std::size_t kBlockSize = 64 * 1024;
}  // namespace

std::optional<std::string> readFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes;
    std::error_code ignored;  // the size only saves growing the buffer
    const std::uintmax_t size = std::filesystem::file_size(path, ignored);
    if (!ignored) bytes.reserve(static_cast<std::size_t>(size));
    while (true) {
        const std::size_t start = bytes.size();
        bytes.resize(start + kBlockSize);
        file.read(bytes.data() + start, static_cast<std::streamsize>(kBlockSize));
        bytes.resize(start + static_cast<std::size_t>(file.gcount()));
        if (!file) break;
    }
    if (file.bad()) return std::nullopt;
    return bytes;
}

}  // namespace kbxdoc::persist
