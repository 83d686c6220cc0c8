#pragma once

// The wire format between the libraries and a simulated keyboard over the
// keyboard channel's Unix socket (SOCK_SEQPACKET: one message per packet).
//
// A connection carries requests, each answered by exactly one reply packet in
// order, until it subscribes to key events; from then on the keyboard sends
// key-event packets whenever it types, and the connection sends back the
// events that the point-of-sale library's hook let through ("passed on" to
// the desktop). Every number is little-endian.
//
//   request            payload                                   reply payload
//   portRead           u16 port                                  u8 value
//   portWrite          u16 port, u8 value                        u8 0
//   deviceControl      u32 code, u32 output size, input bytes    u8 ok (1/0), output bytes (output size)
//   driverRequest      u32 code, input bytes                     u8 ok (1/0)
//   usbSend            u8 byte                                   u8 result (0 accepted)
//   usbCheck           -                                         u8 result (0 reachable)
//   usbClose           -                                         u8 0
//   subscribeKeys      -                                         u8 0, then keyEvent packets
//   keyPassedOn        u32 key data                              (none)
//   keyEvent           u32 key data (keyboard to library)        (none)
//
// Key data as the keyboard hook sees it: bits 0-15 repeat count (1), bits
// 16-23 the set-1 scan code, bit 24 extended key (0xE0 prefix), bit 29 Alt
// held, bit 30 key was down before, bit 31 key up.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kbx::platform::channel {

enum class Kind : std::uint8_t {
    portRead = 0x01,
    portWrite = 0x02,
    deviceControl = 0x03,
    driverRequest = 0x04,
    usbSend = 0x05,
    usbCheck = 0x06,
    usbClose = 0x07,
    subscribeKeys = 0x08,
    keyPassedOn = 0x09,
    reply = 0x80,
    keyEvent = 0x81,
};

// No packet is longer; longer ones are refused by both sides.
inline constexpr std::size_t kMaxPacket = 512;

// Key-data bits.
inline constexpr std::uint32_t kRepeatCountOne = 0x00000001;
inline constexpr int kScanCodeShift = 16;
inline constexpr std::uint32_t kExtendedBit = 1u << 24;
inline constexpr std::uint32_t kAltContextBit = 1u << 29;
inline constexpr std::uint32_t kPreviousStateBit = 1u << 30;
inline constexpr std::uint32_t kKeyUpBit = 1u << 31;

constexpr std::uint8_t scanCodeOf(std::uint32_t keyData) { return std::uint8_t((keyData >> kScanCodeShift) & 0xFF); }

// Key data of a make (down) or break (up) of `scanCode`.
constexpr std::uint32_t keyData(std::uint8_t scanCode, bool up, bool extended = false, bool alt = false) {
    std::uint32_t data = kRepeatCountOne | (std::uint32_t(scanCode) << kScanCodeShift);
    if (extended) data |= kExtendedBit;
    if (alt) data |= kAltContextBit;
    if (up) data |= kPreviousStateBit | kKeyUpBit;
    return data;
}

using Packet = std::vector<std::uint8_t>;

// Building packets: the kind, then values appended in order.
class PacketWriter {
public:
    explicit PacketWriter(Kind kind) { packet_.push_back(std::uint8_t(kind)); }
    PacketWriter& u8(std::uint8_t value) {
        packet_.push_back(value);
        return *this;
    }
    PacketWriter& u16(std::uint16_t value) {
        for (int i = 0; i < 2; ++i) packet_.push_back(std::uint8_t(value >> (8 * i)));
        return *this;
    }
    PacketWriter& u32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) packet_.push_back(std::uint8_t(value >> (8 * i)));
        return *this;
    }
    PacketWriter& bytes(std::span<const std::uint8_t> values) {
        packet_.insert(packet_.end(), values.begin(), values.end());
        return *this;
    }
    Packet take() { return std::move(packet_); }

private:
    Packet packet_;
};

// Reading packets: every read past the end gives nothing.
class PacketReader {
public:
    explicit PacketReader(std::span<const std::uint8_t> packet) : packet_(packet) {}
    std::optional<Kind> kind() const {
        if (packet_.empty()) return std::nullopt;
        return Kind(packet_[0]);
    }
    std::optional<std::uint8_t> u8() {
        if (at_ + 1 > packet_.size()) return std::nullopt;
        return packet_[at_++];
    }
    std::optional<std::uint16_t> u16() {
        if (at_ + 2 > packet_.size()) return std::nullopt;
        const auto value = std::uint16_t(packet_[at_] | (packet_[at_ + 1] << 8));
        at_ += 2;
        return value;
    }
    std::optional<std::uint32_t> u32() {
        if (at_ + 4 > packet_.size()) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | packet_[at_ + std::size_t(i)];
        at_ += 4;
        return value;
    }
    std::span<const std::uint8_t> rest() const { return packet_.subspan(std::min(at_, packet_.size())); }

private:
    std::span<const std::uint8_t> packet_;
    std::size_t at_ = 1;  // after the kind
};

}  // namespace kbx::platform::channel
