#include "iface/transports/keyboard_port.h"

#include <array>

namespace kbxi {
namespace {

constexpr std::uint8_t kLedCommand = 0xED;
constexpr std::uint8_t kLowNibbleTag = 0x10;
constexpr std::uint8_t kLowTag = 0x20;
constexpr std::uint8_t kHighTag = 0x30;
constexpr std::uint8_t kChooseHighTag = 0xEC;
constexpr std::uint8_t kChooseLowTag = 0xEF;  // also the frame start
constexpr char kEchoFailed[] = "EE check failed / NT";

}  // namespace

int DirectPort::sendFramed(std::uint8_t byte) {
    if (byte == kChooseHighTag || byte == kChooseLowTag) {
        tag_ = byte == kChooseHighTag ? kHighTag : kLowTag;
        return 0;
    }
    const std::array<std::uint8_t, 4> sequence{kLedCommand, std::uint8_t((byte & 0x0F) | kLowNibbleTag), kLedCommand,
                                               std::uint8_t(((byte >> 4) & 0x0F) | tag_)};
    int result = 0;
    for (std::uint8_t sent : sequence) {
        result = sendRaw(sent);
        if (result != 0) break;
    }
    if (byte == 0x00) tag_ = kLowTag;
    return result;
}

// No keyboard controller is reachable yet.
int DirectPort::sendRaw(std::uint8_t) { return kByteNotTaken; }

// The keyboard device cannot be opened yet: no answer comes.
int KeyboardDevice::send(std::uint8_t) { return kByteNotTaken; }

int KeyboardDevice::echoTest(MessageBuffer& message) {
    message.set(kEchoFailed);
    return kByteNotTaken;
}

// The driver device cannot be opened yet.
int Driver::send(std::uint8_t) { return kByteNotTaken; }

}  // namespace kbxi
