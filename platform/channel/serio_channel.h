#pragma once

// The driver request on real hardware: the Linux raw PS/2 port of the
// serio_raw driver. The byte of the request goes to the keyboard as it is and
// the keyboard's answer is read back; the controller ports and the keyboard
// device's requests are not there. The port is shared with a key event
// source of the same process (platform/serio_port.h).

#include <chrono>
#include <memory>
#include <string>

#include "platform/keyboard_channel.h"
#include "platform/channel/serio_port.h"

namespace kbx::platform {

inline constexpr std::chrono::milliseconds kSerioAnswerTimeout{1000};

class SerioChannel : public KeyboardChannel {
public:
    // Opens the raw port at `path`: null when it cannot be opened, with why
    // (the path and the system's reason).
    static std::unique_ptr<SerioChannel> open(const std::string& path,
                                              std::chrono::milliseconds answerTimeout = kSerioAnswerTimeout);
    static std::unique_ptr<SerioChannel> open(const std::string& path, std::string& why,
                                              std::chrono::milliseconds answerTimeout = kSerioAnswerTimeout);

    SerioChannel(std::shared_ptr<SerioPort> port, std::chrono::milliseconds answerTimeout)
        : port_(std::move(port)), answerTimeout_(answerTimeout) {}

    std::optional<std::uint8_t> readPort(std::uint16_t) override { return std::nullopt; }
    bool writePort(std::uint16_t, std::uint8_t) override { return false; }
    std::optional<std::vector<std::uint8_t>> deviceControl(std::uint32_t, std::span<const std::uint8_t>,
                                                           std::size_t) override {
        return std::nullopt;
    }
    // The input's second 16-bit word holds the byte: true when the keyboard
    // acknowledged it within the time-out.
    bool driverRequest(std::uint32_t code, std::span<const std::uint8_t> input) override;

private:
    std::shared_ptr<SerioPort> port_;
    std::chrono::milliseconds answerTimeout_;
};

}  // namespace kbx::platform
