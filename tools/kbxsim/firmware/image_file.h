#pragma once

// Image files (.kbx) in and out of the keyboard memory. A loaded image takes
// the place of a download: its bytes from offset 4 on go to the same addresses
// (the magic is not stored) and the checksum is updated. A saved image is
// what an upload of the memory gives: "Vyrn", then the bytes from address 4 up
// to the end of the image (KeyboardMemory::savedImageEnd).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "kbxsim/keyboard_memory.h"

namespace kbxsim {

// Empty on success, else what went wrong.
std::string loadImage(const std::filesystem::path& path, KeyboardMemory& memory);

std::vector<std::uint8_t> savedImage(const KeyboardMemory& memory);

// Whether an image can be saved at `path`, told before the keyboard starts
// rather than when its memory is about to be lost: a temporary file is made
// beside `path`, as the save makes it, and removed again; a folder at `path`
// is refused. Empty when it can, else what stands in the way.
std::string checkImageCanBeSaved(const std::filesystem::path& path);

// Writes through a temporary file beside `path`, renamed into place, so that
// an older file survives a failure. Empty on success, else what went wrong.
std::string saveImage(const std::filesystem::path& path, const KeyboardMemory& memory);

}  // namespace kbxsim
