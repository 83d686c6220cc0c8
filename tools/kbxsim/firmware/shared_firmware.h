#pragma once

// The firmware behind a lock: the serving thread of an in-process simulator
// feeds it while a test reads its memory and counters or arms faults.

#include <cstdint>
#include <mutex>
#include <utility>

#include "tools/kbxsim/firmware/firmware.h"

namespace kbxsim {

class SharedFirmware {
public:
    explicit SharedFirmware(Firmware firmware) : firmware_(std::move(firmware)) {}

    // Runs `function` with the firmware, the lock held throughout.
    template <typename Function>
    decltype(auto) access(Function&& function) {
        const std::scoped_lock lock(mutex_);
        return std::forward<Function>(function)(firmware_);
    }

    template <typename Function>
    decltype(auto) access(Function&& function) const {
        const std::scoped_lock lock(mutex_);
        return std::forward<Function>(function)(std::as_const(firmware_));
    }

private:
    mutable std::mutex mutex_;
    Firmware firmware_;
};

}  // namespace kbxsim
