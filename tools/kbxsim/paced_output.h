#pragma once

// The bytes a channel has still to write, released no faster than a line
// carries them when a byte time is given. The schedule starts when a byte
// arrives in an empty queue; a channel that wakes late may catch up within
// a stream, but never sends faster than the line on average from its start.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tools/kbxsim/channel.h"

namespace kbxsim {

class PacedOutput {
public:
    static constexpr std::size_t kCapacity = 64 * 1024;

    // Queues a byte; when the queue is full the byte is dropped and counted.
    void push(std::uint8_t byte, Clock::time_point now);

    bool empty() const { return head_ == bytes_.size(); }
    std::size_t size() const { return bytes_.size() - head_; }
    std::uint64_t dropped() const { return dropped_; }

    // The bytes that may be written at `now` when one byte takes `byteTime` on
    // the line; a zero byte time releases everything.
    std::span<const std::uint8_t> ready(Clock::time_point now, Clock::duration byteTime) const;

    // The first `count` bytes have been written.
    void consume(std::size_t count, Clock::duration byteTime);

    // When the next byte is due; nothing when the queue is empty.
    std::optional<Clock::time_point> nextRelease() const;

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t head_ = 0;
    Clock::time_point nextSlot_{};
    std::uint64_t dropped_ = 0;
};

// The time of one byte at `baud` with a start bit, eight data bits and a stop
// bit; zero for an unknown rate.
Clock::duration byteTimeAt(int baud);

}  // namespace kbxsim
