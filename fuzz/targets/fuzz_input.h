#pragma once

// The entry point every fuzz target defines, and helpers that split one
// fuzz input into the pieces a parser takes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace kbxfuzz {

inline std::span<const std::uint8_t> bytesOf(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::span<const std::uint8_t>() : std::span<const std::uint8_t>(data, size);
}

inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data), size);
}

// Calls `each` with every line of `text` (LF ends a line; the LF is not part of it).
template <typename Each>
void forEachLine(std::string_view text, Each each) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        each(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

}  // namespace kbxfuzz
