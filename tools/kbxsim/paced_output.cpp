#include "tools/kbxsim/paced_output.h"

#include <algorithm>

namespace kbxsim {
namespace {

constexpr std::int64_t kBitsPerByte = 10;

}  // namespace

void PacedOutput::push(std::uint8_t byte, Clock::time_point now) {
    if (size() >= kCapacity) {
        ++dropped_;
        return;
    }
    if (empty()) {
        bytes_.clear();
        head_ = 0;
        nextSlot_ = std::max(nextSlot_, now);
    }
    bytes_.push_back(byte);
}

std::span<const std::uint8_t> PacedOutput::ready(Clock::time_point now, Clock::duration byteTime) const {
    const std::span<const std::uint8_t> pending = std::span(bytes_).subspan(head_);
    if (byteTime <= Clock::duration::zero()) return pending;
    if (now < nextSlot_) return {};
    const auto due = static_cast<std::size_t>((now - nextSlot_) / byteTime) + 1;
    return pending.first(std::min(due, pending.size()));
}

void PacedOutput::consume(std::size_t count, Clock::duration byteTime) {
    count = std::min(count, size());
    head_ += count;
    if (byteTime > Clock::duration::zero()) nextSlot_ += byteTime * static_cast<std::int64_t>(count);
    if (empty()) {
        bytes_.clear();
        head_ = 0;
    }
}

std::optional<Clock::time_point> PacedOutput::nextRelease() const {
    if (empty()) return std::nullopt;
    return nextSlot_;
}

Clock::duration byteTimeAt(int baud) {
    if (baud <= 0) return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(std::chrono::seconds(1)) *
                                                       kBitsPerByte / baud);
}

}  // namespace kbxsim
