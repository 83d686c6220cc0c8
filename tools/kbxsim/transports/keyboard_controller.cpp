#include "tools/kbxsim/transports/keyboard_controller.h"

namespace kbxsim {
namespace {

constexpr std::uint8_t kWriteCommandByte = 0x60;
constexpr std::uint8_t kReadCommandByte = 0x20;
constexpr std::uint8_t kTagMask = 0xF0;
constexpr std::uint8_t kNibbleMask = 0x0F;
constexpr std::uint8_t kLedTag = 0x00;
// The nibble tags are the simulated keyboard's own, not format/'s, as an
// independent check of the libraries.
constexpr std::uint8_t kLowNibbleTag = 0x10;
constexpr std::uint8_t kProtocolTag = 0x20;
constexpr std::uint8_t kDisplayTag = 0x30;
constexpr int kNibbleBits = 4;
constexpr std::uint8_t kNoPort = 0xFF;

}  // namespace

std::uint8_t KeyboardController::read(std::uint16_t port) {
    if (port == kStatusPort) return output_.empty() ? std::uint8_t{0} : kOutputFullBit;
    if (port != kDataPort) return kNoPort;
    if (!output_.empty()) {
        lastOutput_ = output_.front();
        output_.pop_front();
    }
    return lastOutput_;
}

void KeyboardController::write(std::uint16_t port, std::uint8_t value) {
    if (port == kStatusPort) {
        if (value == kWriteCommandByte) {
            commandByteNext_ = true;
        } else if (value == kReadCommandByte) {
            push(commandByte_);
        } else {
            ++otherCommands_;
        }
        return;
    }
    if (port != kDataPort) return;
    if (commandByteNext_) {
        commandByteNext_ = false;
        commandByte_ = value;
        ++commandByteWrites_;
        return;
    }
    toKeyboard(value);
}

void KeyboardController::toKeyboard(std::uint8_t value) {
    if (ledValueNext_) {
        ledValueNext_ = false;
        ledValue(value);
    } else if (value == kLedCommand) {
        ledValueNext_ = true;
        push(kAcknowledge);
    } else {
        push(feed_.give(value));
    }
}

void KeyboardController::ledValue(std::uint8_t value) {
    const auto tag = static_cast<std::uint8_t>(value & kTagMask);
    const auto nibble = static_cast<std::uint8_t>(value & kNibbleMask);
    switch (tag) {
        case kLedTag:
            leds_ = value;
            push(kAcknowledge);
            return;
        case kLowNibbleTag:
            lowNibble_ = nibble;
            push(kAcknowledge);
            return;
        case kProtocolTag:
        case kDisplayTag: {
            // A high nibble without its low nibble cannot be put together.
            if (!lowNibble_) {
                push(kRefuse);
                return;
            }
            const auto byte = static_cast<std::uint8_t>(*lowNibble_ | (nibble << kNibbleBits));
            lowNibble_.reset();
            push(tag == kProtocolTag ? feed_.giveProtocolByte(byte) : feed_.giveDisplayByte(byte));
            return;
        }
        default: push(kRefuse); return;
    }
}

void KeyboardController::push(std::uint8_t value) {
    if (output_.size() >= kOutputCapacity) {
        ++dropped_;
        return;
    }
    output_.push_back(value);
}

void KeyboardController::push(const Answers& answers) {
    for (const std::uint8_t answer : answers) push(answer);
}

}  // namespace kbxsim
