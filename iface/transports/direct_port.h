#pragma once

// The keyboard controller's ports: data port 0x60, status and command port
// 0x64. A plain byte is written to the data port with the keyboard interrupt
// and scan-code translation off, and the keyboard's acknowledgement read
// back from it. Protocol bytes travel in the nibbles of LED commands: each
// byte becomes two LED commands (0xED), the low nibble tagged 0x10, the high
// nibble tagged 0x20 or 0x30. The frame start 0xEF and the byte 0xEC only
// choose that tag.

#include <cstdint>

#include "format/keyboard_protocol.h"
#include "iface/transports/byte_transport.h"
#include "iface/transports/keyboard_channel_access.h"

namespace kbxi {

class DirectPort : public ByteTransport {
public:
    explicit DirectPort(KeyboardChannelAccess& access) : access_(access) {}

    int sendFramed(std::uint8_t byte) override;
    // A plain byte and the wait for its acknowledgement: 0, or 1 when the
    // keyboard did not acknowledge it or the controller is not reachable.
    int sendRaw(std::uint8_t byte) override;

    std::uint8_t highNibbleTag() const { return tag_; }

private:
    KeyboardChannelAccess& access_;
    std::uint8_t tag_ = kbx::protocol::kProtocolNibbleTag;
};

}  // namespace kbxi
