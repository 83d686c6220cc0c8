#pragma once

// The keyboard port, reached in one of three ways: the keyboard controller's
// ports directly, the keyboard device's control requests, or the outside
// driver device, one request per byte. None of them holds anything open
// between bytes. Until the keyboard channel behind them is in place each
// behaves as its missing device does: no byte is taken.

#include <cstdint>

#include "iface/message_buffer.h"
#include "iface/transports/byte_transport.h"

namespace kbxi {

// The result of a byte the keyboard port did not take.
inline constexpr int kByteNotTaken = 1;

// The keyboard controller's ports. Protocol bytes travel in the nibbles of
// LED commands: each byte becomes two LED commands (0xED), the low nibble
// tagged 0x10, the high nibble tagged 0x20 or 0x30. The frame start 0xEF and
// the byte 0xEC only choose that tag.
class DirectPort : public ByteTransport {
public:
    int sendFramed(std::uint8_t byte) override;
    // A plain byte and the wait for its acknowledgement.
    int sendRaw(std::uint8_t byte) override;

    std::uint8_t highNibbleTag() const { return tag_; }

private:
    std::uint8_t tag_ = 0x20;
};

// The keyboard device: its control requests send a byte, and it holds the
// keyboard's answers while captured.
class KeyboardDevice : public ByteTransport {
public:
    int sendFramed(std::uint8_t byte) override { return send(byte); }
    int sendRaw(std::uint8_t byte) override { return send(byte); }
    // The echo test: 0 when the keyboard answered 0xEE with 0xEE, else 1 with
    // the message.
    int echoTest(MessageBuffer& message);

private:
    int send(std::uint8_t byte);
};

// The outside driver device, one request per byte.
class Driver : public ByteTransport {
public:
    int sendFramed(std::uint8_t byte) override { return send(byte); }
    int sendRaw(std::uint8_t byte) override { return send(byte); }

private:
    int send(std::uint8_t byte);
};

}  // namespace kbxi
