#include "iface/protocol/frames.h"

#include <algorithm>
#include <array>

#include "format/keyboard_protocol.h"
#include "iface/protocol/link.h"

namespace kbxi {
namespace {

using kbx::protocol::kFramePrefix;
using kbx::protocol::kReadFrame;
using kbx::protocol::kUpdateChecksum;
using kbx::protocol::kWriteFrame;

constexpr char kDigits[] = "0123456789ABCDEF";
// The count of a write frame has two digits.
constexpr std::size_t kLargestFrameData = 0xFF;

// The keys of a typed reply: set-1 make codes and the characters they type.
struct ReplyKey {
    std::uint8_t code;
    char character;
};
constexpr std::array<ReplyKey, 16> kReplyKeys{{
    {0x02, '1'}, {0x03, '2'}, {0x04, '3'}, {0x05, '4'}, {0x06, '5'}, {0x07, '6'}, {0x08, '7'}, {0x09, '8'},
    {0x0A, '9'}, {0x0B, '0'}, {0x1E, 'A'}, {0x30, 'B'}, {0x2E, 'C'}, {0x20, 'D'}, {0x12, 'E'}, {0x21, 'F'},
}};
// Stands for a captured code that types no hex digit.
constexpr char kNoDigit = '?';

// Appends the digits of a value, most significant first, and adds their
// values to the running nibble checksum.
void appendDigits(std::vector<std::uint8_t>& frame, unsigned value, int digits, unsigned& checksum) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        const unsigned nibble = (value >> shift) & 0x0F;
        frame.push_back(std::uint8_t(hexDigit(nibble)));
        checksum += nibble;
    }
}

void appendChecksum(std::vector<std::uint8_t>& frame, unsigned checksum) {
    unsigned ignored = 0;
    appendDigits(frame, checksum & 0xFF, 2, ignored);
}

// The frame prefix, the frame code, the address and count digits and their
// checksum: the head of read and write frames alike.
std::vector<std::uint8_t> frameHead(std::uint8_t code, std::uint16_t address, std::uint8_t count) {
    std::vector<std::uint8_t> frame{kFramePrefix, code};
    unsigned checksum = 0;
    appendDigits(frame, address, 4, checksum);
    appendDigits(frame, count, 2, checksum);
    appendChecksum(frame, checksum);
    return frame;
}

}  // namespace

char hexDigit(unsigned value) { return kDigits[value & 0x0F]; }

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return -1;
}

std::vector<std::uint8_t> writeFrame(std::uint16_t address, std::span<const std::uint8_t> data) {
    const std::span<const std::uint8_t> sent = data.first(std::min(data.size(), kLargestFrameData));
    std::vector<std::uint8_t> frame = frameHead(kWriteFrame, address, std::uint8_t(sent.size()));
    unsigned checksum = 0;
    for (std::uint8_t byte : sent) appendDigits(frame, byte, 2, checksum);
    appendChecksum(frame, checksum);
    return frame;
}

std::vector<std::uint8_t> readFrame(std::uint16_t address, std::uint8_t count) {
    return frameHead(kReadFrame, address, count);
}

std::vector<std::uint8_t> updateChecksumFrame() { return {kFramePrefix, kUpdateChecksum}; }

int sendFrame(Link& link, std::span<const std::uint8_t> frame) {
    for (std::uint8_t byte : frame) {
        const int result = link.sendFramed(byte);
        if (result != 0) return result;
    }
    return 0;
}

int decodeReply(std::span<const char> text, std::span<std::uint8_t> out, ErrorRule rule) {
    int error = 0;
    unsigned checksum = 0;
    unsigned highDigit = 0;
    std::size_t stored = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t following = text.size() - 1 - i;
        const char c = text[i];
        int found = 0;
        if (c == '\0') {
            found = block_error::kNul;
        } else if (following >= 2) {
            const int value = hexValue(c);
            if (value < 0) {
                found = block_error::kNotHex;
            } else {
                checksum += unsigned(value);
                if (following % 2 == 1) {
                    highDigit = unsigned(value);
                } else if (stored < out.size()) {
                    out[stored++] = std::uint8_t((highDigit << 4) | unsigned(value));
                }
            }
        } else if (following == 1) {
            if (c != hexDigit((checksum >> 4) & 0x0F)) found = block_error::kChecksumHigh;
        } else if (c != hexDigit(checksum & 0x0F)) {
            found = block_error::kChecksumLow;
        }
        if (found != 0) {
            error = found;
            if (rule == ErrorRule::firstEnds) return error;
        }
    }
    return error;
}

char replyCharacter(std::uint8_t keyCode) {
    if (keyCode == 0) return '\0';
    for (const ReplyKey& key : kReplyKeys) {
        if (key.code == keyCode) return key.character;
    }
    return kNoDigit;
}

}  // namespace kbxi
