#pragma once

// A channel puts the firmware behind one descriptor: the serial channel
// behind a pseudo-terminal, later the keyboard-port and USB transports behind
// a Unix socket. The server polls every channel's descriptor and runs the
// channel when its descriptor is ready or its wake time has come.

#include <poll.h>

#include <chrono>
#include <optional>

namespace kbxsim {

using Clock = std::chrono::steady_clock;

class Channel {
public:
    virtual ~Channel() = default;

    // The descriptor and the events to wait for now; a negative descriptor
    // leaves the channel out of this poll (while it waits out a hang-up).
    virtual pollfd watch(Clock::time_point now) = 0;

    // When the channel must run even without an event (paced output, the end
    // of a hang-up pause); nothing when it waits for events only.
    virtual std::optional<Clock::time_point> wakeTime(Clock::time_point now) const = 0;

    // Runs the channel: `events` are the poll results for its descriptor, 0
    // when it runs because its wake time has come.
    virtual void service(short events, Clock::time_point now) = 0;
};

}  // namespace kbxsim
