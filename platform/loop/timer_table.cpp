#include "platform/loop/timer_table.h"

#include <algorithm>
#include <utility>

namespace kbx::platform {

TimerId TimerTable::freshId() {
    do {
        ++lastId_;
    } while (lastId_ == 0 || timers_.contains(lastId_));
    return lastId_;
}

TimerId TimerTable::set(TimerId existing, std::chrono::nanoseconds interval, std::function<void(TimerId)> handler,
                        std::chrono::nanoseconds now) {
    const auto found = timers_.find(existing);
    if (found != timers_.end()) {
        TimerEntry& timer = *found->second;
        timer.interval = interval;
        timer.due = now + interval;
        timer.handler = std::move(handler);
        return existing;
    }
    auto timer = std::make_shared<TimerEntry>();
    timer->id = freshId();
    timer->interval = interval;
    timer->due = now + interval;
    timer->handler = std::move(handler);
    timers_.emplace(timer->id, timer);
    return timer->id;
}

bool TimerTable::kill(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return false;
    found->second->alive = false;
    timers_.erase(found);
    return true;
}

std::vector<TimerRef> TimerTable::due(std::chrono::nanoseconds now) const {
    std::vector<TimerRef> result;
    for (const auto& [id, timer] : timers_) {
        if (!timer->running && timer->due <= now) result.push_back(timer);
    }
    // The map is in identifier order, which is the order of starting.
    std::stable_sort(result.begin(), result.end(),
                     [](const TimerRef& a, const TimerRef& b) { return a->due < b->due; });
    return result;
}

std::optional<std::chrono::nanoseconds> TimerTable::nextDue() const {
    std::optional<std::chrono::nanoseconds> earliest;
    for (const auto& [id, timer] : timers_) {
        if (!timer->running && (!earliest || timer->due < *earliest)) earliest = timer->due;
    }
    return earliest;
}

void TimerTable::clear() {
    for (auto& [id, timer] : timers_) timer->alive = false;
    timers_.clear();
}

}  // namespace kbx::platform
