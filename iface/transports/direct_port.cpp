#include "iface/transports/direct_port.h"

#include <array>
#include <optional>

#include "iface/transports/keyboard_port_result.h"

namespace kbxi {
namespace {

using kbx::platform::KeyboardChannel;

constexpr std::uint16_t kDataPort = 0x60;
constexpr std::uint16_t kCommandPort = 0x64;  // reads give the status

// Status bits.
constexpr std::uint8_t kOutputFull = 0x01;  // a byte of the keyboard waits
constexpr std::uint8_t kInputFull = 0x02;   // the controller takes no byte now
constexpr std::uint8_t kExamineBits = 0x60;  // both set: examine the byte at once

// Controller commands and command bytes.
constexpr std::uint8_t kWriteCommandByte = 0x60;
constexpr std::uint8_t kExchangeCommandByte = 0x00;  // interrupt and translation off
constexpr std::uint8_t kNormalCommandByte = 0x41;    // interrupt and translation on

constexpr std::uint8_t kAcknowledge = 0xFA;
constexpr std::uint8_t kResend = 0xFE;

// The limits of one plain byte's exchange, counted in status reads.
constexpr unsigned kPasses = 0x4FFF;
constexpr unsigned kListenPolls = 0x14FFF;
constexpr unsigned kGiveUpAfterPolls = 0x14FF0;
// A controller that stays busy is given up after as many reads as a
// keyboard that does not answer.
constexpr unsigned kReadyPolls = kListenPolls;

// Nibble encoding.
constexpr std::uint8_t kLedCommand = 0xED;
constexpr std::uint8_t kLowNibbleTag = 0x10;
constexpr std::uint8_t kLowTag = 0x20;
constexpr std::uint8_t kHighTag = 0x30;
constexpr std::uint8_t kChooseHighTag = 0xEC;
constexpr std::uint8_t kChooseLowTag = 0xEF;  // also the frame start
constexpr std::uint8_t kResetsTag = 0x00;
constexpr std::uint8_t kNibble = 0x0F;

// The controller for one byte's exchange. Once the channel failed, nothing
// more is asked of it and every read gives nothing.
class Controller {
public:
    explicit Controller(KeyboardChannel& channel) : channel_(channel) {}

    std::optional<std::uint8_t> read(std::uint16_t port) {
        if (failed_) return std::nullopt;
        const std::optional<std::uint8_t> value = channel_.readPort(port);
        failed_ = !value;
        return value;
    }
    std::optional<std::uint8_t> status() { return read(kCommandPort); }
    void write(std::uint16_t port, std::uint8_t value) {
        if (!failed_) failed_ = !channel_.writePort(port, value);
    }
    bool failed() const { return failed_; }

    // Waits until the controller takes a byte: false when it stays busy or
    // cannot be read.
    bool awaitReady() {
        for (unsigned poll = 0; poll < kReadyPolls; ++poll) {
            const std::optional<std::uint8_t> bits = status();
            if (!bits) return false;
            if ((*bits & kInputFull) == 0) return true;
        }
        return false;
    }

    void writeCommandByte(std::uint8_t commandByte) {
        if (!awaitReady()) return;
        write(kCommandPort, kWriteCommandByte);
        if (!awaitReady()) return;
        write(kDataPort, commandByte);
    }

private:
    KeyboardChannel& channel_;
    bool failed_ = false;
};

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
        if (*bits & kOutputFull) {
            const std::optional<std::uint8_t> data = controller.read(kDataPort);
            if (!data) return Listened::failed;
            reply = *data;
            if ((*bits & kExamineBits) != kExamineBits) continue;
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
        if (*bits & kInputFull) continue;
        // Sending, then listening.
        controller.write(kDataPort, byte);
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
    Controller controller(*channel);
    const int result = exchange(controller, byte);
    if (controller.failed()) {
        access_.release();
        return kByteNotTaken;
    }
    return result;
}

int DirectPort::sendFramed(std::uint8_t byte) {
    if (byte == kChooseHighTag || byte == kChooseLowTag) {
        tag_ = byte == kChooseHighTag ? kHighTag : kLowTag;
        return 0;
    }
    const std::array<std::uint8_t, 4> sequence{kLedCommand, std::uint8_t((byte & kNibble) | kLowNibbleTag),
                                               kLedCommand, std::uint8_t(((byte >> 4) & kNibble) | tag_)};
    int result = 0;
    for (std::uint8_t sent : sequence) {
        result = sendRaw(sent);
        if (result != 0) break;
    }
    if (byte == kResetsTag) tag_ = kLowTag;
    return result;
}

}  // namespace kbxi
