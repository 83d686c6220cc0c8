#pragma once

// The clock every timer of the loop runs on: CLOCK_MONOTONIC, the clock the
// loop's timer descriptor is armed against, so both agree to the nanosecond.

#include <chrono>

namespace kbx::platform {

std::chrono::nanoseconds monotonicNow();

}  // namespace kbx::platform
