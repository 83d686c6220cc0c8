#include "iface/protocol/transfer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "format/image_layout.h"
#include "format/keyboard_protocol.h"
#include "iface/protocol/frames.h"
#include "iface/protocol/link.h"
#include "iface/shared_timer.h"
#include "platform/input_file.h"

namespace kbxi {
namespace {

constexpr char kFileNotFound[] = "kbx file not found";
constexpr char kFormatInvalid[] = "kbx fileformat invalid";
constexpr char kRefreshFailed[] = "refresh not possible (0x%02x)";
constexpr char kDownloadFailed[] = "Download not possible (0x%02x)";
constexpr char kUpdateStartFailed[] = "Error1: update checksum (0x%02x)";
constexpr char kUpdateCommandFailed[] = "Error2: update checksum (0x%02x)";
constexpr char kBytesSent[] = " %d bytes sent";

constexpr int kFirstAddress = 4;  // 0-3 hold the keyboard's identification
constexpr int kDataBlock = 64;
constexpr int kUsbDataBlock = 16;
constexpr int kFillBlock = 64;
constexpr int kDataAttempts = 12;
constexpr int kFillAttempts = 4;
constexpr int kComplete = 100;

// Sends a frame until the keyboard takes it, at most `attempts` times: 0, or
// the last attempt's result.
int sendWithAttempts(Link& link, std::span<const std::uint8_t> frame, int attempts) {
    int result = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        result = sendFrame(link, frame);
        if (result == 0) return 0;
    }
    return result;
}

void releaseUsbIfUsed(Link& link) {
    if (link.usb()) link.releaseUsb();
}

void report(KbxiProgress progress, int percent) {
    if (progress != nullptr) progress(percent);
}

}  // namespace

int loadImageFile(const char* path, std::vector<std::uint8_t>& image, MessageBuffer& message) {
    // A FIFO or a device is no file that holds an image: it is refused as one
    // that cannot be read, before anything waits on it. A regular file longer
    // than any image is refused by its length, below, as always.
    const kbx::OpenedInput opened = path != nullptr ? kbx::openRegularFile(path) : kbx::OpenedInput{};
    if (path == nullptr || (opened.failure && opened.failure.problem != kbx::InputProblem::tooLarge)) {
        message.set(kFileNotFound);
        return download_code::kFileNotFound;
    }
    if (opened.failure) {
        message.set(kFormatInvalid);
        return download_code::kFormatInvalid;
    }
    // One byte more than the address space holds tells an oversized file.
    image.assign(kAddressSpace + 1, 0);
    const long long read = kbx::readUpTo(opened.file.get(), image.data(), image.size());
    if (read < 0) {
        image.clear();
        message.set(kFileNotFound);
        return download_code::kFileNotFound;
    }
    const std::size_t length = std::size_t(read);
    image.resize(length);
    const std::string_view magic = kbx::image::kMagic;
    const bool magicMatches =
        length >= magic.size() && std::equal(magic.begin(), magic.end(), image.begin(),
                                             [](char m, std::uint8_t b) { return std::uint8_t(m) == b; });
    if (length < kMinimumImageFile || length > kAddressSpace || !magicMatches) {
        message.set(kFormatInvalid);
        return download_code::kFormatInvalid;
    }
    return 0;
}

int transferImage(Link& link, SharedTimer& timer, std::span<const std::uint8_t> image, const DownloadRequest& request,
                  MessageBuffer& message) {
    const int length = int(image.size());
    // The fill cannot reach beyond the last address.
    const int refreshEnd = std::min(request.refreshEnd, int(kAddressSpace));
    int dataBlock = link.usb() ? kUsbDataBlock : kDataBlock;
    int fillBlock = kFillBlock;
    timer.stop();
    if (request.check) {
        const std::string_view failure = link.downloadCheck();
        if (!failure.empty()) {
            message.set(failure);
            return 0;
        }
    }
    const int total = std::max(length, refreshEnd);
    int position = kFirstAddress;
    const std::array<std::uint8_t, kFillBlock> fill = [&] {
        std::array<std::uint8_t, kFillBlock> bytes{};
        bytes.fill(request.fillByte);
        return bytes;
    }();
    while (position < total) {
        report(request.progress, position * 100 / total);
        const auto address = std::uint16_t(position);
        if (position < refreshEnd) {
            if (position + fillBlock >= refreshEnd) fillBlock = refreshEnd - position;
            const int result =
                sendWithAttempts(link, writeFrame(address, std::span(fill).first(std::size_t(fillBlock))), kFillAttempts);
            if (result != 0) {
                releaseUsbIfUsed(link);
                link.sendRaw(kbx::protocol::kEnable);
                message.format(kRefreshFailed, unsigned(result));
                return 0;
            }
        }
        if (position < length) {
            if (position + dataBlock >= length) dataBlock = length - position;
            const int result = sendWithAttempts(
                link, writeFrame(address, image.subspan(std::size_t(position), std::size_t(dataBlock))), kDataAttempts);
            if (result != 0) {
                link.sendRaw(kbx::protocol::kEnable);
                releaseUsbIfUsed(link);
                message.format(kDownloadFailed, unsigned(result));
                return 0;
            }
        }
        // After the data the fill goes on at steps of the last data frame's
        // length, so consecutive fill frames overlap.
        position += dataBlock;
    }
    const std::vector<std::uint8_t> update = updateChecksumFrame();
    const std::array<const char*, 2> updateFailures{kUpdateStartFailed, kUpdateCommandFailed};
    for (std::size_t i = 0; i < update.size(); ++i) {
        const int result = link.sendFramed(update[i]);
        if (result != 0) {
            message.format(updateFailures[i], unsigned(result));
            releaseUsbIfUsed(link);
            return 0;
        }
    }
    report(request.progress, kComplete);
    link.sendRaw(kbx::protocol::kEnable);
    releaseUsbIfUsed(link);
    message.format(kBytesSent, position);
    return total;
}

int downloadFile(Link& link, SharedTimer& timer, const char* path, const DownloadRequest& request,
                 MessageBuffer& message) {
    std::vector<std::uint8_t> image;
    const int loaded = loadImageFile(path, image, message);
    if (loaded != 0) return loaded;
    const int result = transferImage(link, timer, image, request, message);
    return result < int(image.size()) ? download_code::kTransferFailed : result;
}

}  // namespace kbxi
