#include "platform/loop/event_queue.h"

namespace kbx::platform {

std::optional<EventQueue::Event> EventQueue::takeBefore(std::uint64_t mark) {
    if (events_.empty() || events_.front().first >= mark) return std::nullopt;
    Event event = std::move(events_.front().second);
    events_.pop_front();
    return event;
}

}  // namespace kbx::platform
