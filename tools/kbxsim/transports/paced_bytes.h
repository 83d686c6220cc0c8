#pragma once

// Bytes on their way over a simulated line, handed on no earlier than the
// line carries them: each byte needs its byte time on the wire, and reaches
// the other end when its last bit has arrived, plus the adapter latency (a
// USB-serial adapter holds what it received until its latency timer runs
// out). The schedule starts when a byte arrives in an empty queue; a channel
// that wakes late may catch up within a stream, but never hands bytes on
// faster than the line carries them from its start.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tools/kbxsim/transports/channel.h"

namespace kbxsim {

// How a line carries bytes; all zero hands every byte on at once.
struct LinePace {
    Clock::duration byteTime{};  // one byte on the wire
    Clock::duration latency{};   // added before the bytes reach the other end
};

class PacedBytes {
public:
    static constexpr std::size_t kCapacity = 64 * 1024;

    // Queues a byte; when the queue is full the byte is dropped and counted.
    void push(std::uint8_t byte, Clock::time_point now);

    bool empty() const { return head_ == bytes_.size(); }
    std::size_t size() const { return bytes_.size() - head_; }
    std::uint64_t dropped() const { return dropped_; }

    // All the bytes on their way, arrived or not.
    std::span<const std::uint8_t> waiting() const { return std::span(bytes_).subspan(head_); }

    // The bytes that have reached the other end at `now`.
    std::span<const std::uint8_t> ready(Clock::time_point now, const LinePace& pace) const;

    // When the `index`th of the waiting bytes has reached the other end.
    Clock::time_point arrival(std::size_t index, const LinePace& pace) const;

    // The first `count` bytes have been handed on.
    void consume(std::size_t count, const LinePace& pace);

    // When the next byte reaches the other end; nothing when the queue is empty.
    std::optional<Clock::time_point> nextRelease(const LinePace& pace) const;

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t head_ = 0;
    Clock::time_point nextStart_{};  // when the next byte starts on the wire
    std::uint64_t dropped_ = 0;
};

// The time of one byte of `bitsPerByte` bits (start, data, parity and stop
// bits) at `baud`; zero for an unknown rate.
Clock::duration byteTimeAt(int baud, int bitsPerByte);

}  // namespace kbxsim
