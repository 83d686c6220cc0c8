#include "iface/transports/serial_timeouts.h"

#include <limits>

namespace kbxi {
namespace {

// per byte x count + constant, saturating instead of overflowing.
std::chrono::milliseconds totalLimit(std::chrono::milliseconds perByte, std::size_t count,
                                     std::chrono::milliseconds constant) {
    using Rep = std::chrono::milliseconds::rep;
    constexpr Rep kLongest = std::numeric_limits<Rep>::max() / 2;
    const Rep each = perByte.count();
    if (each > 0 && count > std::size_t(kLongest / each)) return std::chrono::milliseconds{kLongest};
    return std::chrono::milliseconds{each * Rep(count) + constant.count()};
}

}  // namespace

std::chrono::milliseconds readTimeLimit(const SerialTimeouts& timeouts, std::size_t count) {
    return totalLimit(timeouts.readTotalPerByte, count, timeouts.readTotalConstant);
}

std::chrono::milliseconds writeTimeLimit(const SerialTimeouts& timeouts, std::size_t count) {
    return totalLimit(timeouts.writeTotalPerByte, count, timeouts.writeTotalConstant);
}

}  // namespace kbxi
