#pragma once

// The keyboard channel of a simulated keyboard: every facility of the
// keyboard port as requests over one socket connection.

#include <memory>

#include "platform/channel_connection.h"
#include "platform/keyboard_channel.h"

namespace kbx::platform {

class SimulatedKeyboardChannel : public KeyboardChannel {
public:
    explicit SimulatedKeyboardChannel(std::unique_ptr<ChannelConnection> connection)
        : connection_(std::move(connection)) {}

    std::optional<std::uint8_t> readPort(std::uint16_t port) override;
    bool writePort(std::uint16_t port, std::uint8_t value) override;
    std::optional<std::vector<std::uint8_t>> deviceControl(std::uint32_t code, std::span<const std::uint8_t> input,
                                                           std::size_t outputSize) override;
    bool driverRequest(std::uint32_t code, std::span<const std::uint8_t> input) override;

private:
    std::unique_ptr<ChannelConnection> connection_;
};

}  // namespace kbx::platform
