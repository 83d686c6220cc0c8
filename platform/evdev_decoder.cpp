#include "platform/evdev_decoder.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/channel_protocol.h"

namespace kbx::platform {
namespace {

// Linux key codes 1 to 88 (Esc to F12) are the set-1 make codes themselves.
constexpr std::uint16_t kLastPlainKey = KEY_F12;
constexpr std::uint8_t kHighestSetOneMake = 0x7F;
constexpr std::int32_t kExtendedPrefix = 0xE0;
constexpr std::int32_t kPrefixShift = 8;

constexpr std::int32_t kKeyUp = 0;
constexpr std::int32_t kKeyDown = 1;
constexpr std::int32_t kKeyRepeat = 2;

struct ExtendedKey {
    std::uint16_t linuxKey;
    std::uint8_t scanCode;  // after the 0xE0 prefix
};

constexpr std::array kExtendedKeys{
    ExtendedKey{KEY_KPENTER, 0x1C},  ExtendedKey{KEY_RIGHTCTRL, 0x1D}, ExtendedKey{KEY_KPSLASH, 0x35},
    ExtendedKey{KEY_SYSRQ, 0x37},    ExtendedKey{KEY_RIGHTALT, 0x38},  ExtendedKey{KEY_HOME, 0x47},
    ExtendedKey{KEY_UP, 0x48},       ExtendedKey{KEY_PAGEUP, 0x49},    ExtendedKey{KEY_LEFT, 0x4B},
    ExtendedKey{KEY_RIGHT, 0x4D},    ExtendedKey{KEY_END, 0x4F},       ExtendedKey{KEY_DOWN, 0x50},
    ExtendedKey{KEY_PAGEDOWN, 0x51}, ExtendedKey{KEY_INSERT, 0x52},    ExtendedKey{KEY_DELETE, 0x53},
    ExtendedKey{KEY_LEFTMETA, 0x5B}, ExtendedKey{KEY_RIGHTMETA, 0x5C}, ExtendedKey{KEY_COMPOSE, 0x5D},
};

std::uint32_t keyDataOf(SetOneCode code, std::int32_t value) {
    std::uint32_t data = channel::keyData(code.scanCode, value == kKeyUp, code.extended);
    if (value == kKeyRepeat) data |= channel::kPreviousStateBit;
    return data;
}

}  // namespace

std::optional<SetOneCode> setOneCodeOfKey(std::uint16_t linuxKey) {
    if (linuxKey >= 1 && linuxKey <= kLastPlainKey) return SetOneCode{std::uint8_t(linuxKey), false};
    const auto* found = std::find_if(kExtendedKeys.begin(), kExtendedKeys.end(),
                                     [&](const ExtendedKey& key) { return key.linuxKey == linuxKey; });
    if (found == kExtendedKeys.end()) return std::nullopt;
    return SetOneCode{found->scanCode, true};
}

std::optional<SetOneCode> setOneCodeOfScan(std::int32_t scanValue) {
    const std::int32_t low = scanValue & 0xFF;
    if (low < 1 || low > kHighestSetOneMake) return std::nullopt;
    const std::int32_t prefix = scanValue >> kPrefixShift;
    if (prefix == 0) return SetOneCode{std::uint8_t(low), false};
    if (prefix == kExtendedPrefix) return SetOneCode{std::uint8_t(low), true};
    return std::nullopt;
}

DecodedEvent EvdevDecoder::decode(const EvdevEvent& event) {
    switch (event.type) {
    case EV_MSC:
        if (event.code != MSC_SCAN) return {DecodedEvent::Kind::none, std::nullopt};
        pendingScan_ = event.value;
        return {DecodedEvent::Kind::none, std::nullopt};
    case EV_SYN:
        pendingScan_.reset();  // a scan code belongs to its own report only
        return {DecodedEvent::Kind::none, std::nullopt};
    case EV_KEY: {
        const std::optional<std::int32_t> scan = std::exchange(pendingScan_, std::nullopt);
        if (event.value != kKeyUp && event.value != kKeyDown && event.value != kKeyRepeat)
            return {DecodedEvent::Kind::other, std::nullopt};
        std::optional<SetOneCode> code = scan ? setOneCodeOfScan(*scan) : std::nullopt;
        if (!code) code = setOneCodeOfKey(event.code);
        if (!code) return {DecodedEvent::Kind::key, std::nullopt};
        return {DecodedEvent::Kind::key, keyDataOf(*code, event.value)};
    }
    default:
        return {DecodedEvent::Kind::other, std::nullopt};
    }
}

}  // namespace kbx::platform
