#pragma once

// The time-outs of a serial port: how long a read or a write may take, as a
// total of a part per byte and a constant part, and the longest pause
// between two received bytes.

#include <chrono>
#include <cstddef>

namespace kbxi {

struct SerialTimeouts {
    std::chrono::milliseconds readInterval;       // 0: no limit between bytes
    std::chrono::milliseconds readTotalPerByte;
    std::chrono::milliseconds readTotalConstant;
    std::chrono::milliseconds writeTotalPerByte;
    std::chrono::milliseconds writeTotalConstant;
};

// The time-outs every open port gets: a read of n bytes waits at most
// 50 x n + 200 ms, a write at most 200 ms.
inline constexpr SerialTimeouts kFixedSerialTimeouts{
    std::chrono::milliseconds{0},  std::chrono::milliseconds{50}, std::chrono::milliseconds{200},
    std::chrono::milliseconds{0},  std::chrono::milliseconds{200}};

// The longest time a read (write) of `count` bytes may take in total.
std::chrono::milliseconds readTimeLimit(const SerialTimeouts& timeouts, std::size_t count);
std::chrono::milliseconds writeTimeLimit(const SerialTimeouts& timeouts, std::size_t count);

}  // namespace kbxi
