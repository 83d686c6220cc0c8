#pragma once

// Reading one block of keyboard memory: a read frame goes out and the reply
// text comes back, either from the serial port or typed by the keyboard as
// key presses that the point-of-sale library captures.

#include <cstddef>
#include <cstdint>
#include <span>

namespace kbxi {

class Link;

// The capture of typed key codes, as the point-of-sale library offers it.
class KeyCapture {
public:
    virtual ~KeyCapture() = default;
    // Arms the capture of `count` key codes: 0, or nonzero when it cannot.
    virtual int arm(int count) = 0;
    // Runs the thread's events until the capture reports: the number of key
    // codes captured, 0 when it timed out.
    virtual int await() = 0;
    // The first `count` captured key codes (fewer when there are none).
    virtual std::span<const std::uint8_t> codes(std::size_t count) = 0;
    // Ends the wait of one block (its timer).
    virtual void finish() = 0;
};

// Both read out.size() bytes at `address` into `out` (written only when the
// block is good): 0, or the block error. The capture path adds 0x10 to
// every error of its own.
int serialBlockRead(Link& link, std::uint16_t address, std::span<std::uint8_t> out);
int captureBlockRead(Link& link, KeyCapture& capture, std::uint16_t address, std::span<std::uint8_t> out);

}  // namespace kbxi
