#include "tools/kbx32/paths.h"

#include "platform/input_file.h"

namespace kbx32 {

namespace {

constexpr std::string_view kSourceExtension = ".kbf";

// Where the extension of the file name starts, or npos when it has none.
std::size_t extensionStart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    return dot != std::string_view::npos && dot >= nameStart ? dot : std::string_view::npos;
}

}  // namespace

std::string withExtension(std::string_view path, std::string_view extension) {
    std::string result(path.substr(0, extensionStart(path)));
    result += extension;
    return result;
}

std::string compiledSourcePath(std::string_view source) {
    std::string result(source);
    if (extensionStart(source) == std::string_view::npos) result += kSourceExtension;
    return result;
}

bool isReadableFile(const std::string& path) { return !kbx::openRegularFile(path).failure; }

}  // namespace kbx32
