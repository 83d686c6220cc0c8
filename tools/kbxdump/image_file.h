#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "kbxdump/image.h"

// Reading an image file from disk, bounded: a file longer than any image is
// read only as far as needed to tell that it is too long.
namespace kbxdump {

struct FileContents {
    Bytes bytes;
    std::string error;  // "cannot open: No such file or directory"; empty on success
};

FileContents readImageFile(const std::filesystem::path& path, std::size_t limit);

}  // namespace kbxdump
