#include "platform/channel/serio_port.h"

#include <algorithm>
#include <array>
#include <climits>

namespace kbx::platform {
namespace {

constexpr std::size_t kTakeChunk = 256;
constexpr std::size_t kErrorCapacity = 512;

}  // namespace

std::shared_ptr<SerioPort> SerioPort::open(const std::string& path, std::string& error) {
    std::array<char, kErrorCapacity> why{};
    KbxPlatformSerioPort* handle = kbx_platform_serio_open(path.c_str(), why.data(), why.size());
    if (handle == nullptr) {
        error = why.data();
        return nullptr;
    }
    return std::make_shared<SerioPort>(handle);
}

std::shared_ptr<SerioPort> SerioPort::over(UniqueFd port) {
    KbxPlatformSerioPort* handle = kbx_platform_serio_over(port.release());
    return handle != nullptr ? std::make_shared<SerioPort>(handle) : nullptr;
}

bool SerioPort::request(std::uint8_t byte, std::chrono::milliseconds timeout) {
    const auto bounded = std::min<std::chrono::milliseconds::rep>(timeout.count(), INT_MAX);
    return kbx_platform_serio_request(handle_.get(), byte, static_cast<int>(bounded)) != 0;
}

void SerioPort::setReader(bool reading) { kbx_platform_serio_set_reader(handle_.get(), reading ? 1 : 0); }

std::vector<std::uint8_t> SerioPort::take() {
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, kTakeChunk> chunk{};
    for (;;) {
        const std::size_t got = kbx_platform_serio_take(handle_.get(), chunk.data(), chunk.size());
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < chunk.size()) return bytes;
    }
}

bool SerioPort::gone() { return kbx_platform_serio_gone(handle_.get()) != 0; }

}  // namespace kbx::platform
