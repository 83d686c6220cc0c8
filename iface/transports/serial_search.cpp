// Finding the line settings of a keyboard when the interface string gives
// none: each row of the table is tried until the keyboard echoes 0xEE.

#include <array>
#include <optional>
#include <string_view>
#include <thread>

#include "format/keyboard_protocol.h"
#include "iface/transports/serial_line.h"
#include "iface/transports/serial_port.h"
#include "platform/notifier.h"

namespace kbxi {
namespace {

constexpr std::array<std::string_view, 24> kSearchRows{
    "9600,E,8,1",  "9600,O,8,1",  "9600,N,8,1",  "4800,E,8,1",  "4800,O,8,1",  "4800,N,8,1",
    "2400,E,8,1",  "2400,O,8,1",  "2400,N,8,1",  "38400,E,8,1", "38400,O,8,1", "38400,N,8,1",
    "1200,E,8,1",  "1200,O,8,1",  "1200,N,8,1",  "19200,E,8,1", "19200,O,8,1", "19200,N,8,1",
    "600,E,8,1",   "600,O,8,1",   "600,N,8,1",   "300,E,8,1",   "300,O,8,1",   "300,N,8,1",
};

using kbx::protocol::kEcho;

constexpr int kBytesLookedAt = 3;
constexpr std::chrono::milliseconds kFailedReadRetryTime{60};
constexpr std::chrono::milliseconds kFailedReadPause{5};

constexpr char kCantSendEcho[] = "Can't send data (0xEE).";
constexpr int kCantSendEchoCode = 9;
constexpr char kNoParameterFound[] = "Can't find correct COM parameter.";
constexpr int kNoParameterFoundCode = 2;

// One byte; a read that fails (rather than times out) is repeated for a
// short while.
std::optional<std::uint8_t> readByteRetrying(int descriptor, const SerialTimeouts& timeouts) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point giveUp = Clock::now() + kFailedReadRetryTime;
    for (;;) {
        std::uint8_t byte = 0;
        const serial_line::ReadOutcome outcome = serial_line::readBytes(descriptor, &byte, 1, timeouts);
        if (outcome.count == 1) return byte;
        if (!outcome.failed || Clock::now() >= giveUp) return std::nullopt;
        std::this_thread::sleep_for(kFailedReadPause);
    }
}

bool echoAnswered(int descriptor, const SerialTimeouts& timeouts) {
    for (int looked = 0; looked < kBytesLookedAt; ++looked) {
        if (readByteRetrying(descriptor, timeouts) == kEcho) return true;
    }
    return false;
}

}  // namespace

int SerialPort::searchLineSettings(MessageBuffer& message) {
    for (const std::string_view row : kSearchRows) {
        if (const int code = openWithSettings(row, message); code != 0) return code;
        if (!serial_line::writeByte(descriptor_, kEcho, writeTimeLimit(timeouts_, 1))) {
            message.set(kCantSendEcho);
            kbx::platform::notify(kCantSendEcho, "", kbx::platform::Buttons::ok);
            close(message);
            return kCantSendEchoCode;
        }
        if (echoAnswered(descriptor_, timeouts_)) return 0;
        close(message);
    }
    message.set(kNoParameterFound);
    return kNoParameterFoundCode;
}

}  // namespace kbxi
