#pragma once

// The kernel objects behind one thread's loop: an epoll descriptor that holds
// a timer descriptor (armed for the next due timer), an event descriptor
// (readable while posted events wait) and every watched descriptor. The epoll
// descriptor is the one an application polls: it is readable exactly when one
// of them is.

#include <sys/epoll.h>

#include <chrono>
#include <optional>
#include <span>

#include "platform/unique_fd.h"

namespace kbx::platform {

class LoopDescriptors {
public:
    // Creates the three descriptors; false (errno set) when one cannot be had.
    // Calling it again after success does nothing.
    bool open();
    bool isOpen() const { return epoll_.isOpen(); }

    int pollable() const { return epoll_.get(); }
    bool isOwn(int fd) const { return fd == timer_.get() || fd == event_.get(); }
    bool isTimer(int fd) const { return fd == timer_.get(); }

    // Arms the timer descriptor for `due` on the monotonic clock (a time in
    // the past makes it readable at once); nothing disarms it.
    void armTimer(std::optional<std::chrono::nanoseconds> due);
    void drainTimer();

    // Keeps the event descriptor readable while `pending` holds.
    void signalEvents(bool pending);

    bool addWatched(int fd);
    void removeWatched(int fd);

    // Waits at most `timeoutMs` (negative: without limit) and stores what is
    // ready in `ready`. The number stored; 0 when interrupted; -1 on error.
    int wait(std::span<epoll_event> ready, int timeoutMs);

    // Puts the descriptors back into their first state: timer disarmed,
    // no events signalled (watched descriptors are removed by their owner).
    void quieten();

private:
    UniqueFd epoll_;
    UniqueFd timer_;
    UniqueFd event_;
    bool eventsSignalled_ = false;
};

}  // namespace kbx::platform
