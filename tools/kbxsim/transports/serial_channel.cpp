#include "tools/kbxsim/transports/serial_channel.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <vector>
#include <cerrno>

#include "kbxsim/hex_text.h"

namespace kbxsim {
namespace {

constexpr std::size_t kReadChunk = 256;
// The reply text for the log: printable characters as they are, any other
// byte (a NUL put in by a fault) as <XX>.
std::string printable(std::string_view text) {
    constexpr char kFirstPrintable = ' ';
    constexpr char kLastPrintable = '~';
    std::string shown;
    for (const char character : text) {
        if (character >= kFirstPrintable && character <= kLastPrintable && character != '<') {
            shown.push_back(character);
        } else {
            shown += '<' + hexByte(static_cast<std::uint8_t>(character)) + '>';
        }
    }
    return shown;
}

}  // namespace

SerialChannel::SerialChannel(PseudoTerminal& terminal, SharedFirmware& firmware, SerialChannelOptions options)
    : terminal_(terminal), firmware_(firmware), options_(options), nextHoldCheck_(Clock::now() + kHoldCheckInterval) {}

LinePace SerialChannel::inputPace() const {
    if (!options_.lineRate) return {};
    const auto line = terminal_.observeLine();
    return {line ? byteTimeAt(line->baud, line->bitsPerByte) : Clock::duration::zero(), Clock::duration::zero()};
}

LinePace SerialChannel::outputPace() const {
    return {inputPace().byteTime, options_.adapterLatency};
}

pollfd SerialChannel::watch(Clock::time_point now) {
    if (pausedUntil_ && now < *pausedUntil_) return pollfd{-1, 0, 0};
    short events = POLLIN;
    if (!output_.ready(now, outputPace()).empty()) events = static_cast<short>(events | POLLOUT);
    return pollfd{terminal_.master(), events, 0};
}

// Input goes to the keyboard as soon as it is read; output that is due waits
// for the master to take it (POLLOUT), so only later output wakes the channel.
std::optional<Clock::time_point> SerialChannel::wakeTime(Clock::time_point now) const {
    Clock::time_point wake = nextHoldCheck_;
    if (pausedUntil_) return std::min(*pausedUntil_, wake);
    const auto output = output_.nextRelease(outputPace());
    if (output && *output > now) wake = std::min(*output, wake);
    return wake;
}

void SerialChannel::service(short events, Clock::time_point now) {
    serviceTime_ = now;
    if (pausedUntil_ && now >= *pausedUntil_) pausedUntil_.reset();
    if ((events & POLLIN) != 0) {
        readInput(now);
    } else if ((events & (POLLHUP | POLLERR)) != 0) {
        pause(now);
    }
    deliverInput(now);
    writeOutput(now);
    if (now >= nextHoldCheck_) checkHold(now);
}

void SerialChannel::checkHold(Clock::time_point now) {
    nextHoldCheck_ = now + kHoldCheckInterval;
    if (!terminal_.releaseAbandonedHold() || options_.log == nullptr) return;
    *options_.log << "kbxsim: the host closed the line without giving back its exclusive hold; given back\n";
    options_.log->flush();
}

void SerialChannel::readInput(Clock::time_point now) {
    std::array<std::uint8_t, kReadChunk> buffer{};
    const ssize_t count = ::read(terminal_.master(), buffer.data(), buffer.size());
    if (count < 0) {
        if (errno != EAGAIN && errno != EINTR) pause(now);  // EIO: no one has the slave open
        return;
    }
    if (count == 0) {
        pause(now);
        return;
    }
    for (ssize_t i = 0; i < count; ++i) input_.push(buffer[static_cast<std::size_t>(i)], now);
    nextHoldCheck_ = now + kHoldCheckInterval;
}

// The keyboard answers each of the host's bytes the moment its last bit is
// in, so each answer's time on the wire starts at that byte's arrival. The
// bytes are handed to the keyboard as soon as they are read, with the
// arrival as the time of the answer: one timed wake per answer instead of
// two, and the host sees nothing earlier than the line would carry it.
void SerialChannel::deliverInput(Clock::time_point now) {
    const LinePace pace = inputPace();
    // Feeding the keyboard only adds answers to the output: the waiting bytes
    // stay as they are until they are consumed.
    const std::span<const std::uint8_t> bytes = input_.waiting();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        serviceTime_ = input_.arrival(i, pace);
        feed(bytes[i]);
    }
    input_.consume(bytes.size(), pace);
    serviceTime_ = now;
}

void SerialChannel::feed(std::uint8_t byte) {
    logLine_.clear();
    const auto [event, refusal] = firmware_.access([&](Firmware& firmware) {
        firmware.receive(byte, *this);
        return std::pair{firmware.lastEvent(), firmware.lastRefusal()};
    });
    if (options_.log == nullptr) return;
    *options_.log << "kbxsim: <- " << hexByte(byte) << ' ' << byteEventName(event);
    if (event == ByteEvent::frameRefused) *options_.log << " (" << refusalName(refusal) << ')';
    *options_.log << logLine_ << '\n';
    options_.log->flush();
}

void SerialChannel::sendAnswer(std::uint8_t answer) {
    output_.push(answer, serviceTime_);
    if (options_.log != nullptr) logLine_ += " -> " + hexByte(answer);
}

void SerialChannel::sendReplyText(std::string_view text) {
    for (const char character : text) output_.push(static_cast<std::uint8_t>(character), serviceTime_);
    if (options_.log != nullptr) logLine_ += " reply \"" + printable(text) + '"';
}

void SerialChannel::writeOutput(Clock::time_point now) {
    const LinePace pace = outputPace();
    const auto ready = output_.ready(now, pace);
    if (ready.empty()) return;
    const ssize_t written = ::write(terminal_.master(), ready.data(), ready.size());
    if (written > 0) output_.consume(static_cast<std::size_t>(written), pace);
}

}  // namespace kbxsim
