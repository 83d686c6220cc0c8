#include "platform/loop/watch_table.h"

#include <algorithm>
#include <utility>

namespace kbx::platform {

WatchTable::Added WatchTable::add(int fd, std::function<void()> handler) {
    do {
        ++lastId_;
    } while (lastId_ == 0 || watches_.contains(lastId_));
    auto watch = std::make_shared<WatchEntry>();
    watch->id = lastId_;
    watch->fd = fd;
    watch->handler = std::move(handler);
    watches_.emplace(watch->id, watch);

    auto& descriptor = descriptors_[fd];
    const bool first = descriptor == nullptr;
    if (first) {
        descriptor = std::make_shared<DescriptorWatches>();
        descriptor->fd = fd;
    }
    descriptor->watches.push_back(watch);
    return {watch->id, first};
}

std::optional<int> WatchTable::remove(WatchId id) {
    const auto found = watches_.find(id);
    if (found == watches_.end()) return std::nullopt;
    const WatchRef watch = found->second;
    watch->alive = false;
    watches_.erase(found);

    const auto descriptor = descriptors_.find(watch->fd);
    if (descriptor == descriptors_.end()) return std::nullopt;
    auto& list = descriptor->second->watches;
    list.erase(std::remove(list.begin(), list.end(), watch), list.end());
    if (!list.empty()) return std::nullopt;
    descriptors_.erase(descriptor);
    return watch->fd;
}

DescriptorRef WatchTable::find(int fd) const {
    const auto found = descriptors_.find(fd);
    return found == descriptors_.end() ? nullptr : found->second;
}

bool WatchTable::isCurrent(const DescriptorRef& descriptor) const {
    return descriptor != nullptr && find(descriptor->fd) == descriptor;
}

std::vector<int> WatchTable::descriptors() const {
    std::vector<int> result;
    for (const auto& [fd, descriptor] : descriptors_) result.push_back(fd);
    return result;
}

void WatchTable::clear() {
    for (auto& [id, watch] : watches_) watch->alive = false;
    watches_.clear();
    descriptors_.clear();
}

}  // namespace kbx::platform
