#pragma once

// The keyboard device's control requests, the driver device's request and the
// USB link, as the keyboard channel serves them; all give their bytes to the
// same firmware through one feed.
//
// Keyboard device: the keyboard's answers to the device's sends (0xFA, 0xFE,
// 0xEE) wait in a reply queue for "available" and "get" until they are taken
// or cleared. They are kept while the device is released too: the echo test
// sends 0xEE without capturing and waits for the answer in the queue. Capture
// and release are recorded (the keyboard types nothing else through the
// device that they could hold back).

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "tools/kbxsim/transports/firmware_feed.h"

namespace kbxsim {

// Control codes of the keyboard device and the driver device.
inline constexpr std::uint32_t kTranslateOnCode = 0x000B1000;
inline constexpr std::uint32_t kTranslateOffCode = 0x000B2000;
inline constexpr std::uint32_t kSendByteCode = 0x000B4000;
inline constexpr std::uint32_t kCaptureCode = 0x000B400C;
inline constexpr std::uint32_t kReleaseCode = 0x000B4010;
inline constexpr std::uint32_t kClearCode = 0x000B4014;
inline constexpr std::uint32_t kAvailableCode = 0x000B0400;
inline constexpr std::uint32_t kGetCode = 0x000B0800;
inline constexpr std::uint32_t kDriverSendCode = 0x000B0008;

struct ControlResult {
    bool ok = false;
    std::vector<std::uint8_t> output;  // as many bytes as asked for
};

class KeyboardDevice {
public:
    static constexpr std::size_t kQueueCapacity = 256;

    explicit KeyboardDevice(FirmwareFeed& feed) : feed_(feed) {}

    // An unknown code, or a send without its byte, is not ok.
    ControlResult control(std::uint32_t code, std::span<const std::uint8_t> input, std::size_t outputSize);

    bool captured() const { return captured_; }
    bool translating() const { return translating_; }
    std::size_t queued() const { return queue_.size(); }
    std::uint64_t answersDropped() const { return dropped_; }  // the queue was full

private:
    std::uint32_t perform(std::uint32_t code, std::span<const std::uint8_t> input, bool& ok);

    FirmwareFeed& feed_;
    bool captured_ = false;
    bool translating_ = true;
    std::deque<std::uint8_t> queue_;
    std::uint64_t dropped_ = 0;
};

// The driver device's request: input two 16-bit little-endian words, 0x00EF
// and the byte to send. Ok when the keyboard took the byte.
bool driverRequest(FirmwareFeed& feed, std::uint32_t code, std::span<const std::uint8_t> input);

// The USB link: a send answers 0 when the keyboard took the byte, else 1; the
// check answers 0 while the keyboard is reachable (not silent, not refusing
// every byte), else 1.
class UsbLink {
public:
    explicit UsbLink(FirmwareFeed& feed) : feed_(feed) {}

    std::uint8_t send(std::uint8_t byte);
    std::uint8_t check();
    void close() { ++closes_; }

    std::uint64_t closes() const { return closes_; }

private:
    FirmwareFeed& feed_;
    std::uint64_t closes_ = 0;
};

}  // namespace kbxsim
