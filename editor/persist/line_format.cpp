#include "editor/persist/line_format.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

namespace kbxdoc::persist {

std::string formatLine(const char* format, ...) {
    std::array<char, kLineBufferSize> buffer{};
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
    va_end(arguments);
    if (written <= 0) return {};
    const std::size_t length = std::min(static_cast<std::size_t>(written), buffer.size() - 1);
    return std::string(buffer.data(), length);
}

}  // namespace kbxdoc::persist
