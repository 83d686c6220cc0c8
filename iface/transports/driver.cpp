#include "iface/transports/driver.h"

#include <array>

#include "iface/transports/keyboard_port_result.h"

namespace kbxi {
namespace {

constexpr std::uint32_t kSendByteCode = 0x000B0008;
// Two 16-bit little-endian words: the send command, then the byte.
constexpr std::uint16_t kSendCommand = 0x00EF;

}  // namespace

int Driver::send(std::uint8_t byte) {
    kbx::platform::KeyboardChannel* channel = access_.channel();
    if (channel == nullptr) return kByteNotTaken;
    const std::array<std::uint8_t, 4> input{std::uint8_t(kSendCommand & 0xFF), std::uint8_t(kSendCommand >> 8), byte,
                                            0x00};
    if (channel->driverRequest(kSendByteCode, input)) return 0;
    // A refused byte and a lost device look alike: the device is opened
    // again for the next byte.
    access_.release();
    return kByteNotTaken;
}

}  // namespace kbxi
