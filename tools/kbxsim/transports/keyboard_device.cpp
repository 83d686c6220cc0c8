#include "tools/kbxsim/transports/keyboard_device.h"

#include <algorithm>

namespace kbxsim {
namespace {

constexpr std::uint8_t kDone = 1;
constexpr std::uint8_t kEmptyQueue = 0x00;
constexpr std::size_t kDriverInputSize = 4;
// The driver's send word 0x00EF, the simulated keyboard's own spelling of it
// (not the library's), so that it checks the library independently.
constexpr std::uint8_t kDriverMarkLow = 0xEF;
constexpr std::uint8_t kDriverMarkHigh = 0x00;
constexpr std::uint8_t kUsbAccepted = 0;
constexpr std::uint8_t kUsbFailed = 1;
constexpr int kByteBits = 8;

}  // namespace

ControlResult KeyboardDevice::control(std::uint32_t code, std::span<const std::uint8_t> input,
                                      std::size_t outputSize) {
    ControlResult result;
    const std::uint32_t value = perform(code, input, result.ok);
    result.output.assign(outputSize, 0);
    if (!result.ok) return result;
    for (std::size_t i = 0; i < std::min<std::size_t>(outputSize, sizeof value); ++i) {
        result.output[i] = static_cast<std::uint8_t>(value >> (kByteBits * i));
    }
    return result;
}

std::uint32_t KeyboardDevice::perform(std::uint32_t code, std::span<const std::uint8_t> input, bool& ok) {
    ok = true;
    switch (code) {
        case kTranslateOnCode: translating_ = true; return kDone;
        case kTranslateOffCode: translating_ = false; return kDone;
        case kCaptureCode: captured_ = true; return kDone;
        case kReleaseCode: captured_ = false; return kDone;
        case kClearCode: queue_.clear(); return kDone;
        case kAvailableCode: return static_cast<std::uint32_t>(queue_.size());
        case kGetCode: {
            if (queue_.empty()) return kEmptyQueue;
            const std::uint8_t byte = queue_.front();
            queue_.pop_front();
            return byte;
        }
        case kSendByteCode: {
            if (input.empty()) break;
            for (const std::uint8_t answer : feed_.give(input.front())) {
                if (queue_.size() < kQueueCapacity) {
                    queue_.push_back(answer);
                } else {
                    ++dropped_;
                }
            }
            return kDone;
        }
        default: break;
    }
    ok = false;
    return 0;
}

bool driverRequest(FirmwareFeed& feed, std::uint32_t code, std::span<const std::uint8_t> input) {
    if (code != kDriverSendCode || input.size() < kDriverInputSize) return false;
    if (input[0] != kDriverMarkLow || input[1] != kDriverMarkHigh) return false;
    const std::uint8_t byte = input[2];
    return accepted(feed.give(byte), byte);
}

std::uint8_t UsbLink::send(std::uint8_t byte) { return accepted(feed_.give(byte), byte) ? kUsbAccepted : kUsbFailed; }

std::uint8_t UsbLink::check() { return feed_.reachable() ? kUsbAccepted : kUsbFailed; }

}  // namespace kbxsim
