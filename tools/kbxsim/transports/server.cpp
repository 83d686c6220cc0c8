#include "tools/kbxsim/transports/server.h"

#include <sys/prctl.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <cstring>

namespace kbxsim {
namespace {

constexpr short kAnyResult = POLLIN | POLLOUT | POLLHUP | POLLERR | POLLNVAL;
constexpr std::string_view kPollFailed = "poll failed: ";
// The kernel may end a timed wait up to 50 µs late by default to gather
// wake-ups; a paced line would lose that at every byte, so ask for 1 ns.
constexpr unsigned long kExactTimerSlack = 1;

// The time until the earliest wake time, to the nanosecond, so that a paced
// line keeps its byte times; nothing when no channel has one.
std::optional<timespec> pollTimeout(const std::vector<Channel*>& channels, Clock::time_point now) {
    std::optional<Clock::time_point> earliest;
    for (const Channel* channel : channels) {
        const auto wake = channel->wakeTime(now);
        if (wake && (!earliest || *wake < *earliest)) earliest = wake;
    }
    if (!earliest) return std::nullopt;
    const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(*earliest - now, Clock::duration::zero()));
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
    return timespec{static_cast<time_t>(seconds.count()), static_cast<long>((wait - seconds).count())};
}

}  // namespace

std::string Server::run(int controlDescriptor, const std::function<bool()>& onControl) {
    ::prctl(PR_SET_TIMERSLACK, kExactTimerSlack);
    std::vector<pollfd> watched(channels_.size() + 1);
    for (;;) {
        Clock::time_point now = Clock::now();
        watched[0] = pollfd{controlDescriptor, POLLIN, 0};
        for (std::size_t i = 0; i < channels_.size(); ++i) watched[i + 1] = channels_[i]->watch(now);

        const std::optional<timespec> timeout = pollTimeout(channels_, now);
        const int ready = ::ppoll(watched.data(), watched.size(), timeout ? &*timeout : nullptr, nullptr);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return std::string(kPollFailed) + std::strerror(errno);
        }
        if ((watched[0].revents & kAnyResult) != 0 && !onControl()) return {};

        now = Clock::now();
        for (std::size_t i = 0; i < channels_.size(); ++i) {
            const short events = watched[i + 1].fd >= 0 ? watched[i + 1].revents : short{0};
            const auto wake = channels_[i]->wakeTime(now);
            if (events != 0 || (wake && *wake <= now)) channels_[i]->service(events, now);
        }
    }
}

}  // namespace kbxsim
