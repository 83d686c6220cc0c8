#pragma once

// The keyboard device: its control requests send a byte to the keyboard and,
// while the device captures, hold the keyboard's answers for the library
// instead of passing them on as input. A byte counts as sent when the
// keyboard acknowledged it (0xFA); an answer 0xFE asks for it again.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "iface/message_buffer.h"
#include "iface/shared_timer.h"
#include "iface/transports/byte_transport.h"
#include "iface/transports/keyboard_channel_access.h"
#include "platform/event_loop.h"

namespace kbxi {

// The device's requests, each with its control code and output size.
enum class DeviceRequest : std::uint8_t {
    translateOn,
    translateOff,
    capture,
    release,
    clear,
    replyAvailable,
    nextReply,
    sendByte,
};

class KeyboardDevice : public ByteTransport {
public:
    // The acknowledgement waits run `timer` with `timeoutProc`.
    KeyboardDevice(KeyboardChannelAccess& access, SharedTimer& timer, kbx::platform::TimerProc timeoutProc)
        : access_(access), timer_(timer), timeoutProc_(timeoutProc) {}

    int sendFramed(std::uint8_t byte) override { return send(byte); }
    int sendRaw(std::uint8_t byte) override { return send(byte); }
    // The echo test: 0 when the keyboard answered 0xEE with 0xEE, else 1 with
    // the message.
    int echoTest(MessageBuffer& message);

    // The requests as the library exports them.
    // translateOn ... clear: -1 when the device cannot be opened, else 1.
    int switchRequest(DeviceRequest request);
    // Nonzero when an answer of the keyboard waits; 0 without the device.
    std::uint32_t replyAvailable();
    // The next answer; 0xFF without the device.
    std::uint8_t nextReply();
    // Sends a byte through the device: -1 when it cannot be opened, else 1.
    int sendByte(std::uint8_t byte);

private:
    int send(std::uint8_t byte);
    // The request's output bytes; nothing when the device cannot be opened.
    std::optional<std::vector<std::uint8_t>> request(DeviceRequest request, std::span<const std::uint8_t> input = {});
    // Polls the held answers until one of `wanted` comes (it is returned) or
    // the wait's time has passed since the timer was started.
    std::optional<std::uint8_t> awaitAnswer(std::span<const std::uint8_t> wanted);
    void startWait();

    KeyboardChannelAccess& access_;
    SharedTimer& timer_;
    kbx::platform::TimerProc timeoutProc_;
    std::chrono::steady_clock::time_point waitStarted_;  // when the timer was started
};

}  // namespace kbxi
