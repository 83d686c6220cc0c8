#pragma once

// The outside driver device, one request per byte: it sends the byte to the
// keyboard and fails the request when the keyboard does not accept it.

#include <cstdint>

#include "iface/transports/byte_transport.h"
#include "iface/transports/keyboard_channel_access.h"

namespace kbxi {

class Driver : public ByteTransport {
public:
    explicit Driver(KeyboardChannelAccess& access) : access_(access) {}

    int sendFramed(std::uint8_t byte) override { return send(byte); }
    int sendRaw(std::uint8_t byte) override { return send(byte); }

private:
    int send(std::uint8_t byte);

    KeyboardChannelAccess& access_;
};

}  // namespace kbxi
