#pragma once

// The keyboard as the memory protocol sees it: single bytes sent framed or
// raw through whichever transport is selected, and replies read back block
// by block. The library implements it over its transports; tests script it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kbxi {

class Link {
public:
    virtual ~Link() = default;

    // Sends one byte as protocol frames carry it, or plainly: 0 when the
    // keyboard took it, else the transport's error.
    virtual int sendFramed(std::uint8_t byte) = 0;
    virtual int sendRaw(std::uint8_t byte) = 0;

    // USB takes shorter frames, and its library is released when a download
    // ends.
    virtual bool usb() const = 0;
    virtual void releaseUsb() = 0;

    // The link test a download runs first when asked to: empty when the
    // keyboard answered, else the text that says which test failed.
    virtual std::string_view downloadCheck() = 0;

    // Over the serial port the keyboard's replies are read from the port;
    // otherwise it types them, and the point-of-sale library captures the
    // keys while it is bound.
    virtual bool serial() const = 0;
    virtual int bindReplies() = 0;  // 0 when replies can be read
    virtual void releaseReplies() = 0;

    // Reads out.size() bytes of keyboard memory at `address` into `out`:
    // 0, or the block error.
    virtual int readBlock(std::uint16_t address, std::span<std::uint8_t> out) = 0;

    // One read of the serial port: the number of bytes, or -1 when the read
    // failed.
    virtual int readPort(std::span<std::uint8_t> out) = 0;
};

}  // namespace kbxi
