#include "platform/loop/monotonic_clock.h"

#include <ctime>

namespace kbx::platform {

std::chrono::nanoseconds monotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace kbx::platform
