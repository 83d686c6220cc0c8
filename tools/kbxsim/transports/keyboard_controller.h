#pragma once

// The PC keyboard controller as the keyboard channel offers it: the data port
// 0x60 and the status and command port 0x64, with the keyboard behind them.
//
// - Status (read 0x64): bit 0 while a byte from the keyboard waits in the
//   output buffer; bit 1 (input full) is always clear, the controller takes
//   every byte at once.
// - Read 0x60: the waiting byte (the last one again when none waits).
// - Write 0x64: 0x60 makes the next write of 0x60 the controller command byte
//   (0x00 while a byte is exchanged, 0x41 afterwards); 0x20 puts the command
//   byte in the output buffer; other controller commands are counted.
// - Write 0x60: a byte for the keyboard, which answers every byte. The LED
//   command 0xED is acknowledged and its value byte carries a nibble: tagged
//   0x10 the low nibble (acknowledged and kept), tagged 0x20 the high nibble
//   of a protocol byte, 0x30 of a display byte; the byte put together goes to
//   the firmware's nibble path, whose answer is the value byte's answer. A
//   value below 0x10 sets the LEDs. Every other byte goes to the firmware as
//   it is.

#include <cstdint>
#include <deque>
#include <optional>

#include "tools/kbxsim/transports/firmware_feed.h"

namespace kbxsim {

inline constexpr std::uint16_t kDataPort = 0x60;
inline constexpr std::uint16_t kStatusPort = 0x64;
inline constexpr std::uint8_t kOutputFullBit = 0x01;
inline constexpr std::uint8_t kLedCommand = 0xED;

class KeyboardController {
public:
    static constexpr std::size_t kOutputCapacity = 64;

    explicit KeyboardController(FirmwareFeed& feed) : feed_(feed) {}

    // A port other than 0x60 and 0x64 reads as 0xFF; writes to it do nothing.
    std::uint8_t read(std::uint16_t port);
    void write(std::uint16_t port, std::uint8_t value);

    std::uint8_t commandByte() const { return commandByte_; }
    std::uint64_t commandByteWrites() const { return commandByteWrites_; }
    std::uint64_t otherControllerCommands() const { return otherCommands_; }
    std::uint8_t leds() const { return leds_; }
    std::size_t waiting() const { return output_.size(); }
    std::uint64_t droppedOutput() const { return dropped_; }

private:
    void toKeyboard(std::uint8_t value);
    void ledValue(std::uint8_t value);
    void push(std::uint8_t value);
    void push(const Answers& answers);

    FirmwareFeed& feed_;
    std::deque<std::uint8_t> output_;
    std::uint8_t lastOutput_ = 0;
    bool commandByteNext_ = false;
    std::uint8_t commandByte_ = 0;
    std::uint64_t commandByteWrites_ = 0;
    std::uint64_t otherCommands_ = 0;
    bool ledValueNext_ = false;
    std::optional<std::uint8_t> lowNibble_;
    std::uint8_t leds_ = 0;
    std::uint64_t dropped_ = 0;
};

}  // namespace kbxsim
