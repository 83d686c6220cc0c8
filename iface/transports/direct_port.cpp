#include "iface/transports/direct_port.h"

#include <array>
#include <optional>

#include "format/keyboard_protocol.h"
#include "iface/transports/keyboard_port_result.h"
#include "platform/keyboard_controller.h"

namespace kbxi {
namespace {

using kbx::platform::KeyboardChannel;
using kbx::platform::kControllerDataPort;
using kbx::platform::kExchangeCommandByte;
using kbx::platform::kNormalCommandByte;
using kbx::platform::kStatusExamineBits;
using kbx::platform::kStatusInputFull;
using kbx::platform::kStatusOutputFull;
using kbx::protocol::kAcknowledge;
using kbx::protocol::kDisplayEnd;
using kbx::protocol::kDisplayNibbleTag;
using kbx::protocol::kDisplayStart;
using kbx::protocol::kFramePrefix;
using kbx::protocol::kLedCommand;
using kbx::protocol::kLowNibbleTag;
using kbx::protocol::kProtocolNibbleTag;
using kbx::protocol::kResend;
using Controller = kbx::platform::KeyboardController;

// The limits of one plain byte's exchange, counted in status reads.
constexpr unsigned kPasses = 0x4FFF;
constexpr unsigned kListenPolls = 0x14FFF;
constexpr unsigned kGiveUpAfterPolls = 0x14FF0;
// A controller that stays busy is given up after as many reads as a
// keyboard that does not answer.
constexpr unsigned kReadyPolls = kListenPolls;

// The nibble a value byte of the LED command carries.
constexpr std::uint8_t kNibble = 0x0F;

enum class Listened { acknowledged, gaveUp, sendAgain, failed };

// Reads the status until the keyboard's acknowledgement is seen. A byte in
// the output buffer becomes the reply; it is examined at once only when
// status bits 5 and 6 are both set, else at the next read that finds the
// buffer empty.
Listened listen(Controller& controller) {
    std::uint8_t reply = kResend;
    for (unsigned poll = 1; poll <= kListenPolls; ++poll) {
        const std::optional<std::uint8_t> bits = controller.status();
        if (!bits) return Listened::failed;
        if (*bits & kStatusOutputFull) {
            const std::optional<std::uint8_t> data = controller.read(kControllerDataPort);
            if (!data) return Listened::failed;
            reply = *data;
            if ((*bits & kStatusExamineBits) != kStatusExamineBits) continue;
        }
        if (reply == kAcknowledge) return Listened::acknowledged;
        if (poll > kGiveUpAfterPolls) return Listened::gaveUp;
    }
    return Listened::sendAgain;
}

int exchange(Controller& controller, std::uint8_t byte) {
    controller.writeCommandByte(kExchangeCommandByte);
    for (unsigned pass = 0; pass < kPasses; ++pass) {
        // Waiting: a busy controller ends the pass.
        const std::optional<std::uint8_t> bits = controller.status();
        if (!bits) break;
        if (*bits & kStatusInputFull) continue;
        // Sending, then listening.
        controller.write(kControllerDataPort, byte);
        switch (listen(controller)) {
            case Listened::acknowledged:
                controller.writeCommandByte(kNormalCommandByte);
                return 0;
            case Listened::gaveUp:
            case Listened::failed:
                controller.writeCommandByte(kNormalCommandByte);
                return kByteNotTaken;
            case Listened::sendAgain:
                controller.writeCommandByte(kNormalCommandByte);
                break;
        }
    }
    controller.writeCommandByte(kNormalCommandByte);
    return kByteNotTaken;
}

}  // namespace

int DirectPort::sendRaw(std::uint8_t byte) {
    KeyboardChannel* channel = access_.channel();
    if (channel == nullptr) return kByteNotTaken;
    Controller controller(*channel, kReadyPolls);
    const int result = exchange(controller, byte);
    if (controller.failed()) {
        access_.release();
        return kByteNotTaken;
    }
    return result;
}

int DirectPort::sendFramed(std::uint8_t byte) {
    if (byte == kDisplayStart || byte == kFramePrefix) {
        tag_ = byte == kDisplayStart ? kDisplayNibbleTag : kProtocolNibbleTag;
        return 0;
    }
    const std::array<std::uint8_t, 4> sequence{kLedCommand, std::uint8_t((byte & kNibble) | kLowNibbleTag),
                                               kLedCommand, std::uint8_t(((byte >> 4) & kNibble) | tag_)};
    int result = 0;
    for (std::uint8_t sent : sequence) {
        result = sendRaw(sent);
        if (result != 0) break;
    }
    if (byte == kDisplayEnd) tag_ = kProtocolNibbleTag;
    return result;
}

}  // namespace kbxi
