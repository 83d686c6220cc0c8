#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "kbxdump/image.h"

// Reads the bytes of a keyboard image into an Image, checking every length,
// link and slot on the way. Any input is safe: a damaged image gives one
// error with the offset where the damage was found, never a crash or a loop.
namespace kbxdump {

struct ImageError {
    std::size_t offset = 0;  // where the damage was found
    std::string message;     // "truncated at offset 302 (header says 317 bytes)"
};

struct ReadResult {
    std::optional<Image> image;  // empty when the image is damaged
    ImageError error;            // meaningful only without an image

    bool ok() const { return image.has_value(); }
};

ReadResult readImage(std::span<const std::uint8_t> bytes);

}  // namespace kbxdump
