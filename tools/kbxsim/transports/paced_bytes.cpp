#include "tools/kbxsim/transports/paced_bytes.h"

#include <algorithm>

namespace kbxsim {

void PacedBytes::push(std::uint8_t byte, Clock::time_point now) {
    if (size() >= kCapacity) {
        ++dropped_;
        return;
    }
    if (empty()) {
        bytes_.clear();
        head_ = 0;
        nextStart_ = std::max(nextStart_, now);
    }
    bytes_.push_back(byte);
}

std::span<const std::uint8_t> PacedBytes::ready(Clock::time_point now, const LinePace& pace) const {
    const std::span<const std::uint8_t> pending = waiting();
    const Clock::time_point firstArrives = nextStart_ + pace.latency;
    if (pace.byteTime <= Clock::duration::zero()) return now >= firstArrives ? pending : pending.first(0);
    if (now < firstArrives + pace.byteTime) return {};
    const auto arrived = static_cast<std::size_t>((now - firstArrives) / pace.byteTime);
    return pending.first(std::min(arrived, pending.size()));
}

Clock::time_point PacedBytes::arrival(std::size_t index, const LinePace& pace) const {
    return nextStart_ + pace.latency + pace.byteTime * static_cast<std::int64_t>(index + 1);
}

void PacedBytes::consume(std::size_t count, const LinePace& pace) {
    count = std::min(count, size());
    head_ += count;
    nextStart_ += pace.byteTime * static_cast<std::int64_t>(count);
    if (empty()) {
        bytes_.clear();
        head_ = 0;
    }
}

std::optional<Clock::time_point> PacedBytes::nextRelease(const LinePace& pace) const {
    if (empty()) return std::nullopt;
    return nextStart_ + pace.latency + pace.byteTime;
}

Clock::duration byteTimeAt(int baud, int bitsPerByte) {
    if (baud <= 0) return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(std::chrono::seconds(1)) *
                                                       bitsPerByte / baud);
}

}  // namespace kbxsim
