#pragma once

// The posted events of one thread's loop, in the order they were posted. A
// dispatch runs only the events posted before it began, so an event that posts
// another (or itself again) cannot keep one dispatch busy for ever.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

namespace kbx::platform {

class EventQueue {
public:
    using Event = std::function<void()>;

    void post(Event event) { events_.emplace_back(nextSequence_++, std::move(event)); }

    // The mark a dispatch takes at its start.
    std::uint64_t mark() const { return nextSequence_; }

    // The oldest event posted before `mark`, taken out of the queue.
    std::optional<Event> takeBefore(std::uint64_t mark);

    bool empty() const { return events_.empty(); }
    void clear() { events_.clear(); }

private:
    std::deque<std::pair<std::uint64_t, Event>> events_;
    std::uint64_t nextSequence_ = 0;
};

}  // namespace kbx::platform
