#pragma once

// Reading the keyboard's memory: block by block into the upload image
// buffer, then into an image file (upload), or just its first bytes (the
// header query).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "kbxi32.h"
#include "iface/message_buffer.h"

namespace kbxi {

class Link;

inline constexpr std::size_t kUploadImageSize = 9000;
// The total an upload starts with: the whole keyboard memory, until the
// image length field has been read.
inline constexpr std::uint16_t kKeyboardMemory = 8192;

// The keyboard memory as last read, from address 0, and where the last
// block reading stood.
struct UploadImage {
    std::array<std::uint8_t, kUploadImageSize> bytes{};
    std::uint16_t position = 0;    // the next block's address
    std::uint16_t total = 0;       // where the reading ends
    std::uint8_t blockLength = 0;
};

namespace upload_code {
inline constexpr int kNoFile = -1;
inline constexpr int kFailed = 0;  // message says why
}  // namespace upload_code

// Reads blocks from `start` until the position has passed `total` (a block
// starting at `total` is read too). While the total is the whole memory it
// follows the image length field. Each block is tried up to 5 times. The
// total, minus the block error with " Upload Error (%02x)", or 0 when the
// image length names more than the buffer holds.
int readBlocks(Link& link, UploadImage& image, std::uint16_t start, std::uint16_t total, KbxiProgress progress,
               MessageBuffer& message);

// Uploads the memory into an image file: its length, 0 or a negative code.
int uploadToFile(Link& link, UploadImage& image, const char* path, KbxiProgress progress, MessageBuffer& message);

// Reads the first bytes of the memory into `header` (copied whatever
// happened): 0 when they were read, 1 when not.
int readHeader(Link& link, UploadImage& image, std::span<std::uint8_t, KBXI_HEADER_SIZE> header,
               KbxiProgress progress, MessageBuffer& message);

}  // namespace kbxi
