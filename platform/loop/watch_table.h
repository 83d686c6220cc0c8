#pragma once

// The descriptor watches of one thread's loop, grouped by descriptor: the
// epoll set holds a descriptor once however many watches it has. Entries are
// shared with a dispatch that is calling them, so a handler may remove its
// own watch or any other.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/event_loop.h"

namespace kbx::platform {

struct WatchEntry {
    WatchId id = 0;
    int fd = -1;
    std::function<void()> handler;
    bool alive = true;  // false once unwatched
};
using WatchRef = std::shared_ptr<WatchEntry>;

struct DescriptorWatches {
    int fd = -1;
    std::vector<WatchRef> watches;  // in the order they were added
    int busy = 0;            // handlers of this descriptor running now
    bool suspended = false;  // left out of the epoll set while busy
};
using DescriptorRef = std::shared_ptr<DescriptorWatches>;

class WatchTable {
public:
    struct Added {
        WatchId id;
        bool firstForDescriptor;  // the caller adds the descriptor to epoll
    };
    Added add(int fd, std::function<void()> handler);

    // Removes a watch; the descriptor when that was its last watch (the
    // caller takes it out of epoll).
    std::optional<int> remove(WatchId id);

    DescriptorRef find(int fd) const;
    bool isCurrent(const DescriptorRef& descriptor) const;
    bool watches(int fd) const { return descriptors_.contains(fd); }
    std::vector<int> descriptors() const;
    void clear();

private:
    std::map<int, DescriptorRef> descriptors_;
    std::map<WatchId, WatchRef> watches_;
    WatchId lastId_ = 0;
};

}  // namespace kbx::platform
