#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kbxc {

struct CompileState;

// Lays out the keyboard image of a compilation in memory: header, key
// slots, parameter blocks, definition records (consuming the definition
// lists). Nothing when the image does not fit the keyboard memory
// ("FATAL: kbx-file to long" is logged).
std::optional<std::vector<std::uint8_t>> buildImage(CompileState& state);

// Builds the image and writes it to `path` (through a temporary file, so an
// older image survives any failure). 0 on success, kImageFailed otherwise.
int writeImage(const std::string& path, CompileState& state);

inline constexpr int kImageFailed = 20;

}  // namespace kbxc
