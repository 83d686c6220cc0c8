#include "iface/transports/keyboard_device.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "format/keyboard_protocol.h"
#include "iface/transports/keyboard_port_result.h"

namespace kbxi {
namespace {

struct DeviceRequestEntry {
    DeviceRequest request;
    std::uint32_t controlCode;
    std::size_t outputSize;
};
constexpr std::array kDeviceRequests{
    DeviceRequestEntry{DeviceRequest::translateOn, 0x000B1000, 1},
    DeviceRequestEntry{DeviceRequest::translateOff, 0x000B2000, 1},
    DeviceRequestEntry{DeviceRequest::capture, 0x000B400C, 1},
    DeviceRequestEntry{DeviceRequest::release, 0x000B4010, 1},
    DeviceRequestEntry{DeviceRequest::clear, 0x000B4014, 1},
    DeviceRequestEntry{DeviceRequest::replyAvailable, 0x000B0400, 4},
    DeviceRequestEntry{DeviceRequest::nextReply, 0x000B0800, 1},
    DeviceRequestEntry{DeviceRequest::sendByte, 0x000B4000, 1},
};

const DeviceRequestEntry& entryOf(DeviceRequest request) {
    return *std::find_if(kDeviceRequests.begin(), kDeviceRequests.end(),
                         [request](const DeviceRequestEntry& entry) { return entry.request == request; });
}

constexpr int kNotOpened = -1;
constexpr int kRequestMade = 1;
constexpr std::uint8_t kNoReply = 0xFF;

using kbx::protocol::kAcknowledge;
using kbx::protocol::kEcho;
using kbx::protocol::kResend;
constexpr std::array<std::uint8_t, 2> kSendAnswers{kAcknowledge, kResend};
constexpr std::array<std::uint8_t, 1> kEchoAnswer{kEcho};

constexpr int kAttempts = 3;
constexpr unsigned kWaitMilliseconds = 1500;
constexpr std::chrono::milliseconds kWait{kWaitMilliseconds};
// Between polls that found nothing waiting, so that a wait does not keep a
// processor busy; far shorter than any answer of the keyboard takes.
constexpr std::chrono::microseconds kPollPause{500};

constexpr char kEchoFailed[] = "EE check failed / NT";

}  // namespace

std::optional<std::vector<std::uint8_t>> KeyboardDevice::request(DeviceRequest request,
                                                                 std::span<const std::uint8_t> input) {
    kbx::platform::KeyboardChannel* channel = access_.channel();
    if (channel == nullptr) return std::nullopt;
    const DeviceRequestEntry& entry = entryOf(request);
    std::optional<std::vector<std::uint8_t>> output = channel->deviceControl(entry.controlCode, input, entry.outputSize);
    if (!output) {
        access_.release();
        return std::nullopt;
    }
    output->resize(entry.outputSize, 0);
    return output;
}

int KeyboardDevice::switchRequest(DeviceRequest which) { return request(which) ? kRequestMade : kNotOpened; }

std::uint32_t KeyboardDevice::replyAvailable() {
    // The output is preset to 0, so a device that cannot be opened reports
    // nothing waiting.
    const std::optional<std::vector<std::uint8_t>> output = request(DeviceRequest::replyAvailable);
    if (!output) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = output->size(); i-- > 0;) value = (value << 8) | (*output)[i];
    return value;
}

std::uint8_t KeyboardDevice::nextReply() {
    const std::optional<std::vector<std::uint8_t>> output = request(DeviceRequest::nextReply);
    return output ? output->front() : kNoReply;
}

int KeyboardDevice::sendByte(std::uint8_t byte) {
    const std::array<std::uint8_t, 1> input{byte};
    return request(DeviceRequest::sendByte, input) ? kRequestMade : kNotOpened;
}

// The polls do not run the caller's loop, so the timer's procedure cannot
// end the wait: the time is measured here, from the timer's start.
void KeyboardDevice::startWait() {
    timer_.restart(kWaitMilliseconds, timeoutProc_);
    waitStarted_ = std::chrono::steady_clock::now();
}

std::optional<std::uint8_t> KeyboardDevice::awaitAnswer(std::span<const std::uint8_t> wanted) {
    while (std::chrono::steady_clock::now() - waitStarted_ < kWait) {
        if (replyAvailable() == 0) {
            std::this_thread::sleep_for(kPollPause);
            continue;
        }
        const std::uint8_t answer = nextReply();
        if (std::find(wanted.begin(), wanted.end(), answer) != wanted.end()) return answer;
    }
    return std::nullopt;
}

// A device that cannot be opened cannot take the byte: the send fails at
// once instead of waiting out three answers that cannot come (the wait ends
// by time-out only for a device that is there and stays silent).
int KeyboardDevice::send(std::uint8_t byte) {
    const KeyboardChannelAccess::Operation operation(access_);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (switchRequest(DeviceRequest::capture) == kNotOpened || sendByte(byte) == kNotOpened) break;
        startWait();
        if (awaitAnswer(kSendAnswers) == kAcknowledge) {
            switchRequest(DeviceRequest::clear);
            switchRequest(DeviceRequest::release);
            timer_.stop();
            return 0;
        }
    }
    timer_.stop();
    switchRequest(DeviceRequest::clear);
    switchRequest(DeviceRequest::release);
    return kByteNotTaken;
}

// The device holds the keyboard's answers only while it captures, so the
// echo test captures around its byte as a send does.
int KeyboardDevice::echoTest(MessageBuffer& message) {
    const KeyboardChannelAccess::Operation operation(access_);
    const bool reachable = switchRequest(DeviceRequest::capture) != kNotOpened;
    startWait();
    const bool answered = reachable && sendByte(kEcho) != kNotOpened && awaitAnswer(kEchoAnswer).has_value();
    timer_.stop();
    switchRequest(DeviceRequest::clear);
    switchRequest(DeviceRequest::release);
    if (answered) return 0;
    message.set(kEchoFailed);
    return kByteNotTaken;
}

}  // namespace kbxi
