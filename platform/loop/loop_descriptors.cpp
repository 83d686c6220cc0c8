#include "platform/loop/loop_descriptors.h"

#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace kbx::platform {

namespace {

bool addToEpoll(int epollFd, int fd) {
    epoll_event interest{};
    interest.events = EPOLLIN;
    interest.data.fd = fd;
    return epoll_ctl(epollFd, EPOLL_CTL_ADD, fd, &interest) == 0;
}

// Reads the counter of a timer or event descriptor so that it stops being
// readable; a descriptor with nothing to read answers EAGAIN.
void drainCounter(int fd) {
    std::uint64_t counter = 0;
    while (::read(fd, &counter, sizeof counter) < 0 && errno == EINTR) {
    }
}

timespec toTimespec(std::chrono::nanoseconds time) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(time);
    timespec result{};
    result.tv_sec = static_cast<time_t>(seconds.count());
    result.tv_nsec = static_cast<long>((time - seconds).count());
    return result;
}

}  // namespace

bool LoopDescriptors::open() {
    if (isOpen()) return true;
    UniqueFd epoll(epoll_create1(EPOLL_CLOEXEC));
    UniqueFd timer(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC));
    UniqueFd event(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!epoll.isOpen() || !timer.isOpen() || !event.isOpen()) return false;
    if (!addToEpoll(epoll.get(), timer.get()) || !addToEpoll(epoll.get(), event.get())) return false;
    epoll_ = std::move(epoll);
    timer_ = std::move(timer);
    event_ = std::move(event);
    eventsSignalled_ = false;
    return true;
}

void LoopDescriptors::armTimer(std::optional<std::chrono::nanoseconds> due) {
    if (!timer_.isOpen()) return;
    itimerspec setting{};  // all zero: disarmed
    if (due) {
        // A zero expiry would disarm; the monotonic clock is never that early.
        setting.it_value = toTimespec(std::max(*due, std::chrono::nanoseconds(1)));
    }
    // Setting the timer also clears expirations not yet read.
    timerfd_settime(timer_.get(), TFD_TIMER_ABSTIME, &setting, nullptr);
}

void LoopDescriptors::drainTimer() {
    if (timer_.isOpen()) drainCounter(timer_.get());
}

void LoopDescriptors::signalEvents(bool pending) {
    if (!event_.isOpen() || pending == eventsSignalled_) return;
    if (pending) {
        const std::uint64_t one = 1;
        while (::write(event_.get(), &one, sizeof one) < 0 && errno == EINTR) {
        }
    } else {
        drainCounter(event_.get());
    }
    eventsSignalled_ = pending;
}

bool LoopDescriptors::addWatched(int fd) { return isOpen() && addToEpoll(epoll_.get(), fd); }

void LoopDescriptors::removeWatched(int fd) {
    // A descriptor closed before it was unwatched has left the set already.
    if (isOpen()) epoll_ctl(epoll_.get(), EPOLL_CTL_DEL, fd, nullptr);
}

int LoopDescriptors::wait(std::span<epoll_event> ready, int timeoutMs) {
    if (!isOpen()) return -1;
    const int count = epoll_wait(epoll_.get(), ready.data(), static_cast<int>(ready.size()), timeoutMs);
    if (count < 0) return errno == EINTR ? 0 : -1;
    return count;
}

void LoopDescriptors::quieten() {
    armTimer(std::nullopt);
    drainTimer();
    eventsSignalled_ = true;  // force the drain whatever the record says
    signalEvents(false);
}

}  // namespace kbx::platform
