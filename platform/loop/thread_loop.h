#pragma once

// One thread's event loop: its timers, posted events and descriptor watches
// and the descriptors that make them pollable. The functions of event_loop.h
// reach the calling thread's instance; nothing else does.

#include <chrono>
#include <functional>
#include <span>
#include <vector>

#include "platform/event_loop.h"
#include "platform/loop/event_queue.h"
#include "platform/loop/loop_descriptors.h"
#include "platform/loop/timer_table.h"
#include "platform/loop/watch_table.h"

namespace kbx::platform {

class ThreadLoop {
public:
    ThreadLoop() = default;
    ~ThreadLoop();
    ThreadLoop(const ThreadLoop&) = delete;
    ThreadLoop& operator=(const ThreadLoop&) = delete;

    TimerId setTimer(TimerId existing, unsigned milliseconds, std::function<void(TimerId)> handler);
    bool killTimer(TimerId id);
    void post(EventQueue::Event event);
    WatchId watch(int fd, std::function<void()> onReadable);
    void unwatch(WatchId id);
    int dispatch(std::chrono::milliseconds timeout);
    int descriptor();
    void reset();

private:
    bool ensureOpen();
    // Arms the timer descriptor for the next due timer and signals waiting
    // events, so the pollable descriptor says whether anything is due.
    void refreshDescriptors();
    bool somethingDue(std::chrono::nanoseconds now) const;
    std::vector<DescriptorRef> readyDescriptors(std::span<const epoll_event> ready);

    int runEvents(std::uint64_t mark);
    int runWatches(const std::vector<DescriptorRef>& ready);
    int runTimers(std::chrono::nanoseconds now);

    LoopDescriptors descriptors_;
    TimerTable timers_;
    EventQueue events_;
    WatchTable watches_;
};

// The calling thread's loop; null once the thread's loop has been destroyed.
// When a thread ends, and when the process exits, its thread-local loop goes
// before the process's static objects, whose destructors (a library's state
// closing its devices) may still unwatch a descriptor or kill a timer; they
// then find no loop and leave it alone.
ThreadLoop* currentLoop();

}  // namespace kbx::platform
