#include "compiler/paths.h"

namespace kbxc {

std::string_view fileName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool hasFileName(std::string_view path) { return !fileName(path).empty(); }

bool hasExtension(std::string_view path) { return fileName(path).find('.') != std::string_view::npos; }

std::string withoutExtension(std::string_view path) {
    const std::string_view name = fileName(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::string(path);
    return std::string(path.substr(0, path.size() - name.size() + dot));
}

std::string withDefaultExtension(std::string_view path, std::string_view extension) {
    std::string result(path);
    if (!hasExtension(path)) result += extension;
    return result;
}

std::string withDefaultFileName(std::string_view path, std::string_view name) {
    std::string result(path);
    if (!hasFileName(path)) result += name;
    return result;
}

}  // namespace kbxc
