#include "iface/protocol/upload.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "format/image_layout.h"
#include "iface/protocol/link.h"
#include "platform/atomic_file.h"

namespace kbxi {
namespace {

constexpr char kNoFileSpecified[] = " no file specified";
constexpr char kUploadError[] = "Upload Error.\n";
constexpr char kBlockError[] = " Upload Error (%02x)";
constexpr char kImageTooLong[] = " Upload Error: image length %d exceeds the upload buffer of %d bytes";
constexpr char kCreationFailed[] = "File '%s' creation failed.";
constexpr char kWriteFailed[] = "Can't write into file '%s'.";

constexpr std::uint8_t kBlock = 16;
constexpr std::uint8_t kUsbBlock = 8;
constexpr int kRetryLimit = 5;
// An image length field below this is no image; the reading then goes on
// over the whole memory.
constexpr std::uint16_t kShortestImageLength = 10;
constexpr int kHeaderTotal = 7;  // two blocks of 7 bytes: 0-6 and 7-13
// The progress an upload ends with: complete when more than a header came.
constexpr int kSmallUpload = 255;
constexpr int kComplete = 100;

void report(KbxiProgress progress, int percent) {
    if (progress != nullptr) progress(std::min(percent, kComplete));
}

std::uint16_t imageLengthField(const UploadImage& image) {
    const std::size_t at = kbx::image::kLengthOffset;
    return std::uint16_t((image.bytes[at] << 8) | image.bytes[at + 1]);
}

// Whether the blocks up to `total` fit the buffer: the last block starts at
// the last multiple of the block length (from `start`) not beyond `total`.
bool fitsBuffer(std::uint16_t start, std::uint16_t total, std::uint8_t block) {
    if (total < start) return true;
    const std::size_t lastStart = start + std::size_t(total - start) / block * block;
    return lastStart + block <= kUploadImageSize;
}

// Whether a file error means the file was created but could not take the
// bytes, rather than that it could not be created.
bool isWriteError(int error) { return error == ENOSPC || error == EIO || error == EFBIG || error == EDQUOT; }

}  // namespace

int readBlocks(Link& link, UploadImage& image, std::uint16_t start, std::uint16_t total, KbxiProgress progress,
               MessageBuffer& message) {
    std::uint8_t block = link.usb() ? kUsbBlock : kBlock;
    if (start + block > total) block = std::uint8_t(total - start);
    if (block == 0) return total;
    image.position = start;
    image.total = total;
    image.blockLength = block;
    int failures = 0;
    while (image.position <= image.total) {
        if (!fitsBuffer(image.position, image.total, block)) {
            message.format(kImageTooLong, int(image.total), int(kUploadImageSize));
            return upload_code::kFailed;
        }
        const int error = link.readBlock(image.position, std::span(image.bytes).subspan(image.position, block));
        if (error != 0) {
            if (++failures >= kRetryLimit) {
                message.format(kBlockError, unsigned(error));
                return -error;
            }
            continue;
        }
        failures = 0;
        image.position = std::uint16_t(image.position + block);
        if (image.total == kKeyboardMemory) {
            image.total = imageLengthField(image);
            if (image.total < kShortestImageLength) image.total = kKeyboardMemory;
        }
        report(progress, image.position * 100 / image.total);
    }
    return image.total;
}

int uploadToFile(Link& link, UploadImage& image, const char* path, KbxiProgress progress, MessageBuffer& message) {
    report(progress, 0);
    if (path == nullptr) {
        message.set(kNoFileSpecified);
        return upload_code::kNoFile;
    }
    const int result = [&] {
        if (link.bindReplies() != 0) {
            message.set(kUploadError);
            return upload_code::kFailed;
        }
        const int total = readBlocks(link, image, 0, kKeyboardMemory, progress, message);
        link.releaseReplies();
        if (total <= 0) return total;
        const std::string_view magic = kbx::image::kMagic;
        std::vector<std::uint8_t> file(magic.begin(), magic.end());
        file.insert(file.end(), image.bytes.begin() + magic.size(), image.bytes.begin() + total);
        if (!kbx::writeFileAtomically(path, file)) {
            message.format(isWriteError(errno) ? kWriteFailed : kCreationFailed, path);
            return upload_code::kFailed;
        }
        return total;
    }();
    report(progress, result > kSmallUpload ? kComplete : 0);
    return result;
}

int readHeader(Link& link, UploadImage& image, std::span<std::uint8_t, KBXI_HEADER_SIZE> header,
               KbxiProgress progress, MessageBuffer& message) {
    int result = 1;
    if (link.bindReplies() == 0) {
        if (readBlocks(link, image, 0, kHeaderTotal, progress, message) == kHeaderTotal) result = 0;
        link.releaseReplies();
    }
    std::copy_n(image.bytes.begin(), header.size(), header.begin());
    return result;
}

}  // namespace kbxi
