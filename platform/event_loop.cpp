#include "platform/event_loop.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/monotonic_clock.h"
#include "platform/thread_loop.h"

namespace kbx::platform {

namespace {

// The wait left until `deadline`, rounded up so that a nested loop does not
// spin through its last fraction of a millisecond.
std::chrono::milliseconds remainingUntil(std::chrono::nanoseconds deadline) {
    const auto left = deadline - monotonicNow();
    if (left.count() <= 0) return std::chrono::milliseconds(0);
    return std::min(std::chrono::ceil<std::chrono::milliseconds>(left), std::chrono::milliseconds(INT_MAX));
}

}  // namespace

TimerId setTimer(TimerId existing, unsigned milliseconds, TimerProc proc) {
    if (proc == nullptr) return 0;
    return setTimer(existing, milliseconds, [proc](TimerId id) { proc(nullptr, kTimerMessage, id, tickCount()); });
}

// A thread whose loop has ended starts nothing and has nothing to stop.
TimerId setTimer(TimerId existing, unsigned milliseconds, std::function<void(TimerId)> handler) {
    ThreadLoop* loop = currentLoop();
    return loop != nullptr ? loop->setTimer(existing, milliseconds, std::move(handler)) : 0;
}

bool killTimer(TimerId id) {
    ThreadLoop* loop = currentLoop();
    return loop != nullptr && loop->killTimer(id);
}

void postEvent(std::function<void()> event) {
    if (ThreadLoop* loop = currentLoop()) loop->post(std::move(event));
}

WatchId watchDescriptor(int fd, std::function<void()> onReadable) {
    ThreadLoop* loop = currentLoop();
    return loop != nullptr ? loop->watch(fd, std::move(onReadable)) : 0;
}

void unwatchDescriptor(WatchId id) {
    if (ThreadLoop* loop = currentLoop()) loop->unwatch(id);
}

int dispatch(std::chrono::milliseconds timeout) {
    ThreadLoop* loop = currentLoop();
    return loop != nullptr ? loop->dispatch(timeout) : -1;
}

bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    if (!done) return false;
    if (done()) return true;
    const bool bounded = limit.count() >= 0;
    const auto deadline = monotonicNow() + limit;
    for (;;) {
        const auto wait = bounded ? remainingUntil(deadline) : std::chrono::milliseconds(-1);
        if (dispatch(wait) < 0) return done();
        if (done()) return true;
        if (bounded && monotonicNow() >= deadline) return false;
    }
}

int loopDescriptor() {
    ThreadLoop* loop = currentLoop();
    return loop != nullptr ? loop->descriptor() : -1;
}

std::uint32_t tickCount() {
    // Wraps after 49.7 days, as the thread timers' time argument does.
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(monotonicNow()).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

void resetLoopForTests() {
    if (ThreadLoop* loop = currentLoop()) loop->reset();
}

}  // namespace kbx::platform
