#pragma once

// Downloading a keyboard image: the file is checked and read, then written
// into the keyboard's memory in write frames, optionally filling the memory
// beyond the image up to a refresh end; the keyboard then updates its
// checksum and is enabled again.

#include <cstdint>
#include <span>
#include <vector>

#include "kbxi32.h"
#include "iface/message_buffer.h"

namespace kbxi {

class Link;
class SharedTimer;

namespace download_code {
inline constexpr int kNoFile = -1;
inline constexpr int kTransferFailed = -5;
inline constexpr int kFormatInvalid = -6;
inline constexpr int kFileNotFound = -7;
}  // namespace download_code

// The image length a download accepts at least; and at most, since the
// keyboard's addresses have 16 bits.
inline constexpr std::size_t kMinimumImageFile = 302;
inline constexpr std::size_t kAddressSpace = 0x10000;

struct DownloadRequest {
    int refreshEnd = 0;           // fill the memory up to here (0: no fill)
    std::uint8_t fillByte = 0;
    bool check = false;           // run the link test first
    KbxiProgress progress = nullptr;
};

// Reads an image file: 0 with its bytes, or -7 / -6 with the message.
int loadImageFile(const char* path, std::vector<std::uint8_t>& image, MessageBuffer& message);

// Writes the image (file offsets are addresses; the magic at 0-3 stays in
// the file) and fills up to the refresh end: the larger of image length and
// refresh end, or 0 with the reason in the message.
int transferImage(Link& link, SharedTimer& timer, std::span<const std::uint8_t> image, const DownloadRequest& request,
                  MessageBuffer& message);

// The whole download of a file: the bytes sent, or -5, -6, -7.
int downloadFile(Link& link, SharedTimer& timer, const char* path, const DownloadRequest& request,
                 MessageBuffer& message);

}  // namespace kbxi
