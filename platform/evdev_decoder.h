#pragma once

// Turns a Linux input device's event stream into the key data the keyboard
// hook sees: the set-1 scan code from the MSC_SCAN event that precedes each
// key event, or, when that is missing or not a set-1 code, the set-1 code of
// the Linux key code; value 1 is a key-down, 0 a key-up, 2 a repeat.

#include <cstdint>
#include <optional>

#include "platform/include/kbxplatform_api.h"

namespace kbx::platform {

// The fields of struct input_event that decoding looks at.
struct EvdevEvent {
    std::uint16_t type = 0;
    std::uint16_t code = 0;
    std::int32_t value = 0;
};

// The set-1 make code of a key and whether it is 0xE0-prefixed.
struct SetOneCode {
    std::uint8_t scanCode = 0;
    bool extended = false;
    bool operator==(const SetOneCode&) const = default;
};

// The set-1 code of a Linux key code, nothing for keys without one.
KBX_PLATFORM_API std::optional<SetOneCode> setOneCodeOfKey(std::uint16_t linuxKey);
// An MSC_SCAN value read as set 1 (0x01-0x7F, or 0xE0 followed by one),
// nothing for values of other kinds (USB usages, other code sets).
KBX_PLATFORM_API std::optional<SetOneCode> setOneCodeOfScan(std::int32_t scanValue);

// One decoded event.
struct DecodedEvent {
    enum class Kind {
        none,   // consumed (a scan code kept for the next key, a report end)
        key,    // a key event
        other,  // an event of another kind, to be passed on as it is
    };
    Kind kind = Kind::none;
    std::optional<std::uint32_t> keyData;  // key: its key data, nothing for keys without a set-1 code
};

class KBX_PLATFORM_API EvdevDecoder {
public:
    DecodedEvent decode(const EvdevEvent& event);

private:
    std::optional<std::int32_t> pendingScan_;  // MSC_SCAN of the report under way
};

}  // namespace kbx::platform
