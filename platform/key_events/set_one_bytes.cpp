#include "platform/key_events/set_one_bytes.h"

#include "platform/channel_protocol.h"
#include "platform/key_events/set_one_keymap.h"

namespace kbx::platform {
namespace {

constexpr std::uint8_t kExtendedPrefix = 0xE0;
constexpr std::uint8_t kPausePrefix = 0xE1;
constexpr std::uint8_t kBreakBit = 0x80;
constexpr std::uint8_t kAltCode = 0x38;

}  // namespace

std::optional<std::uint32_t> SetOneByteReader::feed(std::uint8_t byte) {
    if (byte == kExtendedPrefix) {
        extended_ = true;
        return std::nullopt;
    }
    if (byte == kPausePrefix) {
        bytesToSkip_ = 1;
        return std::nullopt;
    }
    if (bytesToSkip_ > 0) {
        --bytesToSkip_;
        extended_ = true;  // the code after the skipped one is the key's
        return std::nullopt;
    }
    const bool up = (byte & kBreakBit) != 0;
    const SetOneCode code{std::uint8_t(byte & ~kBreakBit), extended_};
    extended_ = false;

    const std::uint8_t index = scanIndexOf(code);
    lastWasRepeat_ = !up && down_.test(index);
    down_.set(index, !up);

    if (code.scanCode == kAltCode && !up) (code.extended ? rightAlt_ : leftAlt_) = true;
    std::uint32_t data = channel::keyData(code.scanCode, up, code.extended, leftAlt_ || rightAlt_);
    if (lastWasRepeat_) data |= channel::kPreviousStateBit;
    if (code.scanCode == kAltCode && up) (code.extended ? rightAlt_ : leftAlt_) = false;
    return data;
}

}  // namespace kbx::platform
