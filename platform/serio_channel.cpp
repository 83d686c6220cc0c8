#include "platform/serio_channel.h"

#include <fcntl.h>
#include <poll.h>

#include <cerrno>

namespace kbx::platform {
namespace {

using Clock = std::chrono::steady_clock;

// The byte travels in the low half of the request's second word.
constexpr std::size_t kByteOffset = 2;
constexpr std::size_t kRequestLength = 4;
constexpr std::uint8_t kAcknowledge = 0xFA;
constexpr std::uint8_t kResend = 0xFE;

}  // namespace

std::unique_ptr<SerioChannel> SerioChannel::open(const std::string& path, std::chrono::milliseconds answerTimeout) {
    UniqueFd port(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!port.isOpen()) return nullptr;
    return std::make_unique<SerioChannel>(std::move(port), answerTimeout);
}

// Scan codes typed before the request are not its answer.
void SerioChannel::discardPendingInput() {
    std::uint8_t stale[64];
    while (::read(port_.get(), stale, sizeof stale) > 0) {
    }
}

bool SerioChannel::driverRequest(std::uint32_t, std::span<const std::uint8_t> input) {
    if (input.size() < kRequestLength) return false;
    discardPendingInput();
    const std::uint8_t byte = input[kByteOffset];
    ssize_t written;
    do {
        written = ::write(port_.get(), &byte, 1);
    } while (written < 0 && errno == EINTR);
    if (written != 1) return false;

    // The answer is the acknowledgement or the request to send again; key
    // presses that come meanwhile are passed over.
    const Clock::time_point deadline = Clock::now() + answerTimeout_;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd ready{port_.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(left));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) return false;
        std::uint8_t answer = 0;
        const ssize_t got = ::read(port_.get(), &answer, 1);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (got != 1) return false;
        if (answer == kAcknowledge) return true;
        if (answer == kResend) return false;
    }
}

}  // namespace kbx::platform
