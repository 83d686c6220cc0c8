#include "platform/key_events/evdev_decoder.h"

#include <utility>

#include "platform/channel_protocol.h"

namespace kbx::platform {
namespace {

constexpr std::int32_t kHighestScanIndex = 0xFF;

std::uint32_t keyDataOf(SetOneCode code, std::int32_t value) {
    std::uint32_t data = channel::keyData(code.scanCode, value == kKeyUp, code.extended);
    if (value == kKeyRepeat) data |= channel::kPreviousStateBit;
    return data;
}

}  // namespace

std::optional<SetOneCode> setOneCodeOfScan(std::int32_t scanValue) {
    if (scanValue < 1 || scanValue > kHighestScanIndex) return std::nullopt;
    const SetOneCode code = setOneCodeOfIndex(std::uint8_t(scanValue));
    if (code.scanCode == 0) return std::nullopt;
    return code;
}

bool scanValuesAreSetOne(std::string_view deviceName) {
    // The AT driver names its device "AT Translated Set 2 keyboard" when the
    // controller translates, else "AT Raw Set 2 keyboard" or "AT Set 2 Extra keyboard".
    return !deviceName.starts_with("AT ") || deviceName.find("Translated") != std::string_view::npos;
}

std::optional<SetOneCode> EvdevDecoder::codeOfKey(std::uint16_t linuxKey, std::optional<std::int32_t> scan) {
    if (linuxKey >= KEY_CNT) return std::nullopt;
    if (scan && scanValuesAreSetOne_) {
        if (auto code = setOneCodeOfScan(*scan)) {
            scanIndexOfKey_[linuxKey] = scanIndexOf(*code);
            return code;
        }
    }
    if (scanIndexOfKey_[linuxKey] != 0) return setOneCodeOfIndex(scanIndexOfKey_[linuxKey]);
    return setOneCodeOfKey(linuxKey);
}

// The kernel reports a code it has no key for once when pressed and once
// when released, alike: the first is the press.
DecodedEvent EvdevDecoder::scanAlone(std::int32_t scan) {
    const std::optional<SetOneCode> code = scanValuesAreSetOne_ ? setOneCodeOfScan(scan) : std::nullopt;
    if (!code) return {DecodedEvent::Kind::none, std::nullopt};
    const std::uint8_t index = scanIndexOf(*code);
    const bool released = heldAlone_.test(index);
    heldAlone_.flip(index);
    return {DecodedEvent::Kind::scanOnly, keyDataOf(*code, released ? kKeyUp : kKeyDown)};
}

DecodedEvent EvdevDecoder::decode(const EvdevEvent& event) {
    switch (event.type) {
    case EV_MSC:
        if (event.code != MSC_SCAN) return {DecodedEvent::Kind::none, std::nullopt};  // MSC_RAW and the like
        pendingScan_ = event.value;
        return {DecodedEvent::Kind::none, std::nullopt};
    case EV_SYN: {
        const std::optional<std::int32_t> scan = std::exchange(pendingScan_, std::nullopt);
        if (event.code == SYN_DROPPED) {
            heldAlone_.reset();  // what was lost cannot be told; every key reported alone is up
            return {DecodedEvent::Kind::none, std::nullopt};
        }
        if (event.code == SYN_REPORT && scan) return scanAlone(*scan);
        return {DecodedEvent::Kind::none, std::nullopt};
    }
    case EV_KEY: {
        const std::optional<std::int32_t> scan = std::exchange(pendingScan_, std::nullopt);
        if (event.value != kKeyUp && event.value != kKeyDown && event.value != kKeyRepeat)
            return {DecodedEvent::Kind::other, std::nullopt};
        const std::optional<SetOneCode> code = codeOfKey(event.code, scan);
        if (!code) return {DecodedEvent::Kind::key, std::nullopt};
        return {DecodedEvent::Kind::key, keyDataOf(*code, event.value)};
    }
    default:
        return {DecodedEvent::Kind::other, std::nullopt};
    }
}

}  // namespace kbx::platform
