#include "platform/loop/thread_loop.h"

#include <poll.h>

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

#include "platform/loop/monotonic_clock.h"

namespace kbx::platform {

namespace {

// Intervals are kept between these bounds: a zero interval would make the
// timer due at every dispatch, and thread timers go no further than the top.
constexpr unsigned kShortestIntervalMs = 1;
constexpr unsigned kLongestIntervalMs = 0x7FFFFFFF;

// Ready descriptors taken from one wait; more stay ready for the next one.
constexpr std::size_t kReadyCapacity = 64;

std::chrono::nanoseconds boundedInterval(unsigned milliseconds) {
    return std::chrono::milliseconds(std::clamp(milliseconds, kShortestIntervalMs, kLongestIntervalMs));
}

int waitMilliseconds(std::chrono::milliseconds timeout) {
    if (timeout.count() < 0) return -1;
    return static_cast<int>(std::min<std::chrono::milliseconds::rep>(timeout.count(), INT_MAX));
}

// Whether `fd` is readable, closed or in error right now. An earlier handler
// of the same dispatch may have read what made it ready.
bool readableNow(int fd) {
    pollfd probe{fd, POLLIN, 0};
    if (poll(&probe, 1, 0) <= 0) return false;
    return (probe.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

// Sets a flag for the life of a handler call, also when the handler throws.
class RunningTimer {
public:
    explicit RunningTimer(TimerEntry& timer) : timer_(timer) { timer_.running = true; }
    ~RunningTimer() { timer_.running = false; }
    RunningTimer(const RunningTimer&) = delete;
    RunningTimer& operator=(const RunningTimer&) = delete;

private:
    TimerEntry& timer_;
};

// Marks a descriptor busy while its handlers run; when a nested dispatch has
// left it out of the epoll set meanwhile, it goes back in afterwards.
class BusyDescriptor {
public:
    BusyDescriptor(DescriptorRef descriptor, const WatchTable& table, LoopDescriptors& descriptors)
        : descriptor_(std::move(descriptor)), table_(table), descriptors_(descriptors) {
        ++descriptor_->busy;
    }
    ~BusyDescriptor() {
        if (--descriptor_->busy > 0 || !descriptor_->suspended) return;
        descriptor_->suspended = false;
        if (table_.isCurrent(descriptor_)) descriptors_.addWatched(descriptor_->fd);
    }
    BusyDescriptor(const BusyDescriptor&) = delete;
    BusyDescriptor& operator=(const BusyDescriptor&) = delete;

private:
    DescriptorRef descriptor_;
    const WatchTable& table_;
    LoopDescriptors& descriptors_;
};

// Brings the pollable descriptor up to date when a dispatch ends, however it
// ends.
class RefreshOnExit {
public:
    explicit RefreshOnExit(std::function<void()> refresh) : refresh_(std::move(refresh)) {}
    ~RefreshOnExit() { refresh_(); }
    RefreshOnExit(const RefreshOnExit&) = delete;
    RefreshOnExit& operator=(const RefreshOnExit&) = delete;

private:
    std::function<void()> refresh_;
};

}  // namespace

namespace {
// Trivially destructible, so it stays readable after the loop is gone.
thread_local bool loopEnded = false;
}  // namespace

ThreadLoop::~ThreadLoop() { loopEnded = true; }

ThreadLoop* currentLoop() {
    if (loopEnded) return nullptr;
    thread_local ThreadLoop loop;
    return &loop;
}

bool ThreadLoop::ensureOpen() { return descriptors_.open(); }

void ThreadLoop::refreshDescriptors() {
    descriptors_.armTimer(timers_.nextDue());
    descriptors_.signalEvents(!events_.empty());
}

TimerId ThreadLoop::setTimer(TimerId existing, unsigned milliseconds, std::function<void(TimerId)> handler) {
    if (!handler || !ensureOpen()) return 0;
    const TimerId id = timers_.set(existing, boundedInterval(milliseconds), std::move(handler), monotonicNow());
    descriptors_.armTimer(timers_.nextDue());
    return id;
}

bool ThreadLoop::killTimer(TimerId id) {
    if (!timers_.kill(id)) return false;
    descriptors_.armTimer(timers_.nextDue());
    return true;
}

void ThreadLoop::post(EventQueue::Event event) {
    if (!event) return;
    events_.post(std::move(event));
    if (ensureOpen()) descriptors_.signalEvents(true);
}

WatchId ThreadLoop::watch(int fd, std::function<void()> onReadable) {
    if (fd < 0 || !onReadable || !ensureOpen()) return 0;
    if (descriptors_.isOwn(fd) || fd == descriptors_.pollable()) return 0;
    const auto added = watches_.add(fd, std::move(onReadable));
    if (added.firstForDescriptor && !descriptors_.addWatched(fd)) {
        watches_.remove(added.id);
        return 0;
    }
    return added.id;
}

void ThreadLoop::unwatch(WatchId id) {
    if (const auto lastOfDescriptor = watches_.remove(id)) descriptors_.removeWatched(*lastOfDescriptor);
}

int ThreadLoop::descriptor() { return ensureOpen() ? descriptors_.pollable() : -1; }

void ThreadLoop::reset() {
    for (const int fd : watches_.descriptors()) descriptors_.removeWatched(fd);
    watches_.clear();
    timers_.clear();
    events_.clear();
    descriptors_.quieten();
}

bool ThreadLoop::somethingDue(std::chrono::nanoseconds now) const {
    if (!events_.empty()) return true;
    const auto next = timers_.nextDue();
    return next && *next <= now;
}

std::vector<DescriptorRef> ThreadLoop::readyDescriptors(std::span<const epoll_event> ready) {
    std::vector<DescriptorRef> result;
    for (const epoll_event& event : ready) {
        const int fd = event.data.fd;
        if (descriptors_.isTimer(fd)) descriptors_.drainTimer();
        if (descriptors_.isOwn(fd)) continue;
        DescriptorRef descriptor = watches_.find(fd);
        if (descriptor == nullptr) continue;
        if (descriptor->busy > 0) {
            // Its handler runs a nested loop: leave the descriptor out until
            // the handler returns instead of reporting it ready again and again.
            descriptors_.removeWatched(fd);
            descriptor->suspended = true;
            continue;
        }
        result.push_back(std::move(descriptor));
    }
    return result;
}

int ThreadLoop::runEvents(std::uint64_t mark) {
    int run = 0;
    while (auto event = events_.takeBefore(mark)) {
        if (events_.empty()) descriptors_.signalEvents(false);
        (*event)();
        ++run;
    }
    return run;
}

int ThreadLoop::runWatches(const std::vector<DescriptorRef>& ready) {
    int run = 0;
    for (const DescriptorRef& descriptor : ready) {
        if (!watches_.isCurrent(descriptor) || descriptor->busy > 0) continue;
        const BusyDescriptor busy(descriptor, watches_, descriptors_);
        const std::vector<WatchRef> watches = descriptor->watches;
        for (const WatchRef& watch : watches) {
            if (!watch->alive || !readableNow(watch->fd)) continue;
            const auto handler = watch->handler;  // the handler may unwatch itself
            handler();
            ++run;
        }
    }
    return run;
}

int ThreadLoop::runTimers(std::chrono::nanoseconds now) {
    int run = 0;
    for (const TimerRef& timer : timers_.due(now)) {
        // An earlier procedure may have killed or restarted this timer.
        if (!timer->alive || timer->running || timer->due > now) continue;
        // The next tick counts from now: a late or slow procedure gets one
        // tick, not the ones it missed.
        timer->due = monotonicNow() + timer->interval;
        const auto handler = timer->handler;  // the procedure may restart its timer
        const RunningTimer running(*timer);
        handler(timer->id);
        ++run;
    }
    return run;
}

int ThreadLoop::dispatch(std::chrono::milliseconds timeout) {
    if (!ensureOpen()) return -1;
    refreshDescriptors();
    const int waitMs = somethingDue(monotonicNow()) ? 0 : waitMilliseconds(timeout);
    std::array<epoll_event, kReadyCapacity> ready{};
    const int count = descriptors_.wait(ready, waitMs);
    if (count < 0) return -1;

    const RefreshOnExit refresh([this] { refreshDescriptors(); });
    const auto watched = readyDescriptors(std::span(ready.data(), static_cast<std::size_t>(count)));
    const std::uint64_t mark = events_.mark();
    const auto now = monotonicNow();
    int run = runEvents(mark);
    run += runWatches(watched);
    run += runTimers(now);
    return run;
}

}  // namespace kbx::platform
