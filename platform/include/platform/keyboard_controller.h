#pragma once

// The PC keyboard controller behind a keyboard channel: its data and
// status/command ports, the status bits, the controller command byte, and
// the waits before a write. Once the channel fails, nothing more is asked of
// it and every read gives nothing.

#include <cstdint>
#include <optional>

#include "platform/keyboard_channel.h"

namespace kbx::platform {

inline constexpr std::uint16_t kControllerDataPort = 0x60;
inline constexpr std::uint16_t kControllerStatusPort = 0x64;  // reads give the status, writes take commands

// Status bits.
inline constexpr std::uint8_t kStatusOutputFull = 0x01;   // a byte of the keyboard waits
inline constexpr std::uint8_t kStatusInputFull = 0x02;    // the controller takes no byte now
inline constexpr std::uint8_t kStatusExamineBits = 0x60;  // bits 5 and 6, looked at together

// The controller command that makes the next data byte the command byte, and
// the command bytes used around an exchange with the keyboard.
inline constexpr std::uint8_t kWriteCommandByte = 0x60;
inline constexpr std::uint8_t kExchangeCommandByte = 0x00;  // keyboard interrupt and translation off
inline constexpr std::uint8_t kNormalCommandByte = 0x41;    // keyboard interrupt and translation on

class KeyboardController {
public:
    // `readyPolls`: how many status reads a wait for the controller to take
    // a byte lasts before it gives up.
    KeyboardController(KeyboardChannel& channel, unsigned readyPolls) : channel_(channel), readyPolls_(readyPolls) {}

    std::optional<std::uint8_t> read(std::uint16_t port) {
        if (failed_) return std::nullopt;
        const std::optional<std::uint8_t> value = channel_.readPort(port);
        failed_ = !value;
        return value;
    }
    std::optional<std::uint8_t> status() { return read(kControllerStatusPort); }
    void write(std::uint16_t port, std::uint8_t value) {
        if (!failed_) failed_ = !channel_.writePort(port, value);
    }
    bool failed() const { return failed_; }

    // Waits until the controller takes a byte: false when it stays busy or
    // cannot be read.
    bool awaitReady() {
        for (unsigned poll = 0; poll < readyPolls_; ++poll) {
            const std::optional<std::uint8_t> bits = status();
            if (!bits) return false;
            if ((*bits & kStatusInputFull) == 0) return true;
        }
        return false;
    }

    // Writes once the controller is ready: true when the byte went out.
    bool writeWhenReady(std::uint16_t port, std::uint8_t value) {
        if (!awaitReady()) return false;
        write(port, value);
        return !failed_;
    }

    // Sets the controller command byte: true when both bytes went out.
    bool writeCommandByte(std::uint8_t commandByte) {
        return writeWhenReady(kControllerStatusPort, kWriteCommandByte) &&
               writeWhenReady(kControllerDataPort, commandByte);
    }

private:
    KeyboardChannel& channel_;
    unsigned readyPolls_;
    bool failed_ = false;
};

}  // namespace kbx::platform
