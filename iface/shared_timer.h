#pragma once

// The one timer the library's waits share: the capture wait of an upload and
// the acknowledgement wait of the keyboard device. Its identifier is 0 while
// no timer runs.

#include "platform/event_loop.h"

namespace kbxi {

class SharedTimer {
public:
    SharedTimer() = default;
    SharedTimer(const SharedTimer&) = delete;
    SharedTimer& operator=(const SharedTimer&) = delete;

    // Starts the timer, or restarts it with a new interval and procedure
    // when it runs.
    void restart(unsigned milliseconds, kbx::platform::TimerProc proc);
    // Stops the timer if it runs; the identifier becomes 0.
    void stop();

    bool running() const { return id_ != 0; }
    kbx::platform::TimerId id() const { return id_; }

private:
    kbx::platform::TimerId id_ = 0;
};

}  // namespace kbxi
