#include "iface/protocol/block_read.h"

#include <algorithm>
#include <array>
#include <vector>

#include "iface/protocol/frames.h"
#include "iface/protocol/link.h"

namespace kbxi {
namespace {

// A block of n bytes comes back as 2n data digits and two checksum digits.
std::size_t replyLength(std::size_t blockLength) { return 2 * blockLength + 2; }

constexpr std::size_t kLargestBlock = 0xFF;

// Blocks are decoded into scratch bytes and copied only when good, so that
// a failed attempt leaves the caller's bytes alone.
using Scratch = std::array<std::uint8_t, kLargestBlock>;

}  // namespace

int serialBlockRead(Link& link, std::uint16_t address, std::span<std::uint8_t> out) {
    out = out.first(std::min(out.size(), kLargestBlock));
    const int sent = sendFrame(link, readFrame(address, std::uint8_t(out.size())));
    if (sent != 0) return sent;
    std::vector<std::uint8_t> reply(replyLength(out.size()));
    const int received = link.readPort(reply);
    if (received < 0) return block_error::kReadFailed;
    if (std::size_t(received) < reply.size()) return block_error::kWrongLength;
    const std::vector<char> text(reply.begin(), reply.end());
    Scratch block{};
    const int error = decodeReply(text, std::span(block).first(out.size()), ErrorRule::firstEnds);
    if (error == 0) std::copy_n(block.begin(), out.size(), out.begin());
    return error;
}

int captureBlockRead(Link& link, KeyCapture& capture, std::uint16_t address, std::span<std::uint8_t> out) {
    out = out.first(std::min(out.size(), kLargestBlock));
    const std::size_t expected = replyLength(out.size());
    int error = 0;
    if (capture.arm(int(expected)) != 0) {
        error = block_error::kReadFailed;
    } else {
        // A frame the keyboard did not take ends in the capture's time-out.
        sendFrame(link, readFrame(address, std::uint8_t(out.size())));
        const int count = capture.await();
        if (count < 0 || std::size_t(count) != expected) error = block_error::kWrongLength;
        const std::size_t decoded = std::min(std::size_t(std::max(count, 0)), expected);
        const std::span<const std::uint8_t> codes = capture.codes(decoded);
        std::vector<char> text(codes.size());
        std::transform(codes.begin(), codes.end(), text.begin(), replyCharacter);
        Scratch block{};
        const int decodeError = decodeReply(text, std::span(block).first(out.size()), ErrorRule::lastStands);
        if (decodeError != 0) error = decodeError;
        if (error == 0 && codes.size() != expected) error = block_error::kWrongLength;
        if (error == 0) std::copy_n(block.begin(), out.size(), out.begin());
    }
    if (error != 0) error += block_error::kCaptured;
    capture.finish();
    return error;
}

}  // namespace kbxi
