#pragma once

// The per-thread event loop that stands in for the thread message queue:
// timers on a monotonic clock, posted events, descriptor watches, and
// nested loops that run until a condition holds. Every library of a
// process uses the loop of the thread that calls it, so a wait inside one
// library also runs the timers and watches of the others. The loops are
// libkbxplatform.so's; these functions reach them through its C functions
// (kbx_platform_set_timer ...), so every copy of this code in a process
// shares them.

#include <chrono>
#include <cstdint>
#include <functional>

namespace kbx::platform {

// A timer identifier as thread timers have them: never 0 for a running
// timer; 0 stands for "no timer".
using TimerId = std::uintptr_t;

// A timer procedure with the arguments of a thread timer's procedure
// (window, message, identifier, time in ms); the window is always null.
using TimerProc = void (*)(void* window, unsigned message, TimerId id, std::uint32_t time);

// The message number timer procedures receive.
inline constexpr unsigned kTimerMessage = 0x0113;

// Starts a timer on the calling thread's loop that calls `proc` every
// `milliseconds` until killed. With `existing` naming a running timer of
// this thread, that timer is restarted with the new interval and procedure
// and keeps its identifier. Returns the identifier (never 0), or 0 on error
// (no procedure, no loop descriptors to be had).
//
// Like thread timers: the next tick counts from the moment a tick is
// handled, so a late or slow procedure gets one tick, not a queue of missed
// ones; a procedure is not entered again while it runs (a nested loop inside
// it runs the other handlers only). Intervals below 1 ms count as 1 ms,
// intervals above 0x7FFFFFFF ms as that. A procedure may kill or restart its
// own timer or any other.
TimerId setTimer(TimerId existing, unsigned milliseconds, TimerProc proc);

// Starts a timer that runs a function object; same rules as above.
TimerId setTimer(TimerId existing, unsigned milliseconds, std::function<void(TimerId)> handler);

// Stops a timer of the calling thread; false when there is no such timer.
bool killTimer(TimerId id);

// Runs `event` on the calling thread's loop at its next dispatch.
void postEvent(std::function<void()> event);

// Calls `onReadable` whenever `fd` is readable (or closed, or in error),
// from the calling thread's dispatch. Returns a watch identifier (never 0),
// or 0 when `fd` cannot be watched (negative, closed, a regular file, the
// loop's own descriptor). Several watches of one descriptor run in the order
// they were added, each only while the descriptor is still readable. While a
// handler runs, its descriptor is not reported to nested loops.
using WatchId = std::uintptr_t;
WatchId watchDescriptor(int fd, std::function<void()> onReadable);
void unwatchDescriptor(WatchId id);

// Runs what is due, waiting at most `timeout` for something to become due
// (negative: as long as it takes): the events posted before the dispatch,
// then the ready watches, then the due timers. What a handler adds runs at
// a later dispatch. The number of handlers run, -1 on error; an exception of
// a handler ends the dispatch and passes on, and what was not run stays due.
int dispatch(std::chrono::milliseconds timeout);

// A nested loop: dispatches until `done()` holds or `limit` has passed
// (negative: no limit). True when the condition holds.
bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::milliseconds(-1));

// The calling thread's loop descriptor (see kbx_platform_fd).
int loopDescriptor();

// Milliseconds on the monotonic clock, as the thread timers count them.
std::uint32_t tickCount();

// Drops every timer, event and watch of the calling thread (tests). The
// loop descriptor stays the same and is no longer readable.
void resetLoopForTests();

}  // namespace kbx::platform
