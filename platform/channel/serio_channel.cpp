#include "platform/channel/serio_channel.h"

namespace kbx::platform {
namespace {

// The byte travels in the low half of the request's second word.
constexpr std::size_t kByteOffset = 2;
constexpr std::size_t kRequestLength = 4;

}  // namespace

std::unique_ptr<SerioChannel> SerioChannel::open(const std::string& path, std::chrono::milliseconds answerTimeout) {
    std::string why;
    return open(path, why, answerTimeout);
}

std::unique_ptr<SerioChannel> SerioChannel::open(const std::string& path, std::string& why,
                                                 std::chrono::milliseconds answerTimeout) {
    std::shared_ptr<SerioPort> port = SerioPort::open(path, why);
    if (!port) return nullptr;
    return std::make_unique<SerioChannel>(std::move(port), answerTimeout);
}

bool SerioChannel::driverRequest(std::uint32_t, std::span<const std::uint8_t> input) {
    if (input.size() < kRequestLength) return false;
    return port_->request(input[kByteOffset], answerTimeout_);
}

}  // namespace kbx::platform
