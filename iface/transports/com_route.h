#pragma once

// The serial port as one of the routes a byte can take: framed and raw sends
// alike send the byte and wait for the keyboard's acknowledgement.

#include "iface/message_buffer.h"
#include "iface/transports/byte_transport.h"
#include "iface/transports/serial_port.h"

namespace kbxi {

class ComRoute : public ByteTransport {
public:
    // `message` is the current call's buffer, which the port's failures
    // are written to.
    ComRoute(SerialPort& port, MessageBuffer& message) : port_(port), message_(message) {}

    int sendFramed(std::uint8_t byte) override { return port_.sendByte(byte, message_); }
    int sendRaw(std::uint8_t byte) override { return port_.sendByte(byte, message_); }

private:
    SerialPort& port_;
    MessageBuffer& message_;
};

}  // namespace kbxi
