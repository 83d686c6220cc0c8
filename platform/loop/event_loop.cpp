#include "platform/event_loop.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <type_traits>
#include <utility>

#include "kbxplatform.h"
#include "platform/loop/monotonic_clock.h"

namespace kbx::platform {

namespace {

// The wait left until `deadline`, rounded up so that a nested loop does not
// spin through its last fraction of a millisecond.
std::chrono::milliseconds remainingUntil(std::chrono::nanoseconds deadline) {
    const auto left = deadline - monotonicNow();
    if (left.count() <= 0) return std::chrono::milliseconds(0);
    return std::min(std::chrono::ceil<std::chrono::milliseconds>(left), std::chrono::milliseconds(INT_MAX));
}

// The loops are libkbxplatform.so's, one per thread for every library of the
// process; a function object travels to them as the context of a handler.
template <typename Function>
void runFunction(void* context, std::uintptr_t id) {
    if constexpr (std::is_invocable_v<Function, std::uintptr_t>) {
        (*static_cast<Function*>(context))(id);
    } else {
        (*static_cast<Function*>(context))();
    }
}

template <typename Function>
void releaseFunction(void* context) {
    const std::unique_ptr<Function> released(static_cast<Function*>(context));
}

template <typename Function>
void* contextOf(Function function) {
    return std::make_unique<Function>(std::move(function)).release();
}

}  // namespace

TimerId setTimer(TimerId existing, unsigned milliseconds, TimerProc proc) {
    if (proc == nullptr) return 0;
    return setTimer(existing, milliseconds, [proc](TimerId id) { proc(nullptr, kTimerMessage, id, tickCount()); });
}

TimerId setTimer(TimerId existing, unsigned milliseconds, std::function<void(TimerId)> handler) {
    using Function = std::function<void(TimerId)>;
    if (!handler) return 0;
    return kbx_platform_set_timer(existing, milliseconds, runFunction<Function>, contextOf(std::move(handler)),
                                  releaseFunction<Function>);
}

bool killTimer(TimerId id) { return kbx_platform_kill_timer(id) != 0; }

void postEvent(std::function<void()> event) {
    using Function = std::function<void()>;
    if (!event) return;
    kbx_platform_post(runFunction<Function>, contextOf(std::move(event)), releaseFunction<Function>);
}

WatchId watchDescriptor(int fd, std::function<void()> onReadable) {
    using Function = std::function<void()>;
    if (!onReadable) return 0;
    return kbx_platform_watch(fd, runFunction<Function>, contextOf(std::move(onReadable)),
                              releaseFunction<Function>);
}

void unwatchDescriptor(WatchId id) { kbx_platform_unwatch(id); }

int dispatch(std::chrono::milliseconds timeout) {
    const auto bounded = std::clamp<std::chrono::milliseconds::rep>(timeout.count(), -1, INT_MAX);
    return kbx_platform_dispatch_nested(static_cast<int>(bounded));
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

int loopDescriptor() { return kbx_platform_fd(); }

std::uint32_t tickCount() {
    // Wraps after 49.7 days, as the thread timers' time argument does.
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(monotonicNow()).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

void resetLoopForTests() { kbx_platform_reset_loop(); }

}  // namespace kbx::platform
