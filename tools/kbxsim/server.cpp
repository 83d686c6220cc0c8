#include "tools/kbxsim/server.h"

#include <cerrno>
#include <cstring>

namespace kbxsim {
namespace {

constexpr short kAnyResult = POLLIN | POLLOUT | POLLHUP | POLLERR | POLLNVAL;
constexpr std::string_view kPollFailed = "poll failed: ";

// Milliseconds until the earliest wake time, rounded up so that the channel
// does not run too early; -1 when no channel has one.
int pollTimeout(const std::vector<Channel*>& channels, Clock::time_point now) {
    std::optional<Clock::time_point> earliest;
    for (const Channel* channel : channels) {
        const auto wake = channel->wakeTime(now);
        if (wake && (!earliest || *wake < *earliest)) earliest = wake;
    }
    if (!earliest) return -1;
    if (*earliest <= now) return 0;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*earliest - now);
    return static_cast<int>(wait.count());
}

}  // namespace

std::string Server::run(int controlDescriptor, const std::function<bool()>& onControl) {
    std::vector<pollfd> watched(channels_.size() + 1);
    for (;;) {
        Clock::time_point now = Clock::now();
        watched[0] = pollfd{controlDescriptor, POLLIN, 0};
        for (std::size_t i = 0; i < channels_.size(); ++i) watched[i + 1] = channels_[i]->watch(now);

        const int ready = ::poll(watched.data(), watched.size(), pollTimeout(channels_, now));
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
