#pragma once

// The timers of one thread's loop. Entries are shared with a dispatch that is
// firing them, so that a procedure may kill or restart its own timer (or any
// other) while it runs: the table drops or changes the entry, the dispatch
// sees the change through its flags.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/event_loop.h"

namespace kbx::platform {

struct TimerEntry {
    TimerId id = 0;
    std::chrono::nanoseconds interval{};
    std::chrono::nanoseconds due{};
    std::function<void(TimerId)> handler;
    bool alive = true;    // false once killed
    bool running = false; // its procedure runs now (it is not entered twice)
};
using TimerRef = std::shared_ptr<TimerEntry>;

class TimerTable {
public:
    // Starts a timer, or restarts `existing` (keeping its identifier) when it
    // names one of this table. The identifier, never 0.
    TimerId set(TimerId existing, std::chrono::nanoseconds interval, std::function<void(TimerId)> handler,
                std::chrono::nanoseconds now);
    bool kill(TimerId id);

    // The timers due at `now` that are not running, earliest first (equal
    // times in the order the timers were started).
    std::vector<TimerRef> due(std::chrono::nanoseconds now) const;

    // The earliest due time of a timer that is not running.
    std::optional<std::chrono::nanoseconds> nextDue() const;

    void clear();

private:
    TimerId freshId();

    std::map<TimerId, TimerRef> timers_;
    TimerId lastId_ = 0;
};

}  // namespace kbx::platform
