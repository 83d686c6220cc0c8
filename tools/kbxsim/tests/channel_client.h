#pragma once

// A small client of the keyboard channel for tests, written on the wire format
// alone: requests with their replies, and an event connection that collects
// what the keyboard types.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/channel_protocol.h"
#include "tools/kbxsim/transports/unique_descriptor.h"

namespace kbxsim::test {

using Packet = kbx::platform::channel::Packet;
using namespace std::chrono_literals;

class ChannelClient {
public:
    // Throws std::runtime_error when it cannot connect.
    explicit ChannelClient(const std::filesystem::path& path);

    // The reply payload (without its kind byte); nothing when the keyboard
    // did not answer within the time or closed the connection.
    std::optional<Packet> request(const Packet& packet, std::chrono::milliseconds wait = 2000ms);
    void sendOnly(const Packet& packet);

    std::uint8_t readPort(std::uint16_t port);
    void writePort(std::uint16_t port, std::uint8_t value);
    // ok byte and output bytes.
    Packet deviceControl(std::uint32_t code, std::span<const std::uint8_t> input, std::uint32_t outputSize);
    bool driverRequest(std::uint32_t code, std::span<const std::uint8_t> input);
    std::uint8_t usbSend(std::uint8_t byte);
    std::uint8_t usbCheck();

    // Makes this an event connection.
    void subscribe();
    // The key events that arrive until `count` have or `wait` has passed.
    std::vector<std::uint32_t> events(std::size_t count, std::chrono::milliseconds wait = 2000ms);
    void passOn(std::uint32_t keyData);

    // Whether the keyboard closed the connection (waits a little for it).
    bool closedByKeyboard();

private:
    std::optional<Packet> receive(std::chrono::milliseconds wait);

    UniqueDescriptor socket_;
    std::vector<std::uint32_t> events_;
};

// Requests of the wire format.
Packet portReadRequest(std::uint16_t port);
Packet portWriteRequest(std::uint16_t port, std::uint8_t value);

// The scan codes of the key-downs among `events` (breaks left out).
std::vector<std::uint8_t> madeCodes(const std::vector<std::uint32_t>& events);

}  // namespace kbxsim::test
