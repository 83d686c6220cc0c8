#pragma once

// Turns a Linux input device's event stream into the key data the keyboard
// hook sees. The kernel's AT keyboard driver reports each key as MSC_SCAN
// (the set-1 code, 0x80 added after 0xE0), then EV_KEY (1 down, 0 up, 2 the
// keyboard's own repeat), then SYN_REPORT; a code it knows no key for comes
// as MSC_SCAN and SYN_REPORT alone, for the press and again for the release.
// Without a usable scan code (USB usages, the input core's own repeats,
// states made up after lost events) the Linux key code tells.

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string_view>

#include <linux/input-event-codes.h>

#include "platform/key_events/set_one_keymap.h"

namespace kbx::platform {

// The fields of struct input_event that decoding looks at.
struct EvdevEvent {
    std::uint16_t type = 0;
    std::uint16_t code = 0;
    std::int32_t value = 0;
    bool operator==(const EvdevEvent&) const = default;
};

// The values of an EV_KEY event, as the kernel's input core reports them.
inline constexpr std::int32_t kKeyUp = 0;
inline constexpr std::int32_t kKeyDown = 1;
inline constexpr std::int32_t kKeyRepeat = 2;

// An MSC_SCAN value read as the driver's number of a set-1 code, nothing
// for values of other kinds (USB usages, untranslated set-2 codes).
std::optional<SetOneCode> setOneCodeOfScan(std::int32_t scanValue);

// Whether the device's MSC_SCAN values are set-1 codes: not for a keyboard
// the AT driver reads untranslated ("AT Raw Set 2 keyboard", "AT Set 2
// Extra keyboard"), whose scan codes are set 2.
bool scanValuesAreSetOne(std::string_view deviceName);

// One decoded event.
struct DecodedEvent {
    enum class Kind {
        none,      // consumed (a scan code kept for its key, a report end)
        key,       // a key event, to be passed on when not swallowed
        scanOnly,  // a key the kernel reported by its scan code alone: nothing to pass on
        other,     // an event of another kind, to be passed on as it is
    };
    Kind kind = Kind::none;
    std::optional<std::uint32_t> keyData;  // key, scanOnly: the key data; nothing for keys without a set-1 code
};

class EvdevDecoder {
public:
    explicit EvdevDecoder(bool scanValuesAreSetOne = true) : scanValuesAreSetOne_(scanValuesAreSetOne) {}
    DecodedEvent decode(const EvdevEvent& event);

private:
    std::optional<SetOneCode> codeOfKey(std::uint16_t linuxKey, std::optional<std::int32_t> scan);
    DecodedEvent scanAlone(std::int32_t scan);

    bool scanValuesAreSetOne_;
    std::optional<std::int32_t> pendingScan_;           // MSC_SCAN of the report under way
    std::array<std::uint8_t, KEY_CNT> scanIndexOfKey_{};  // the scan code a key last came with, 0 none
    std::bitset<256> heldAlone_;                         // keys reported alone and now down, by scan index
};

}  // namespace kbx::platform
