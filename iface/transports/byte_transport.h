#pragma once

// One way of getting a byte to the keyboard. Every transport offers a framed
// send (as protocol frames carry their bytes) and a raw send (a plain byte,
// for the enable byte and raw commands); for most they are the same.

#include <cstdint>

namespace kbxi {

class ByteTransport {
public:
    virtual ~ByteTransport() = default;
    // 0 when the keyboard took the byte, else the transport's error.
    virtual int sendFramed(std::uint8_t byte) = 0;
    virtual int sendRaw(std::uint8_t byte) = 0;
};

}  // namespace kbxi
