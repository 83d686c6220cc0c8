#pragma once

// Reads the byte stream of a keyboard behind a translating controller, as
// the raw PS/2 port delivers it, into the key data the keyboard hook sees:
// 0xE0 makes the next code extended, 0xE1 starts the Pause key's sequence
// (whose second code counts, as an extended one, like the kernel's AT
// keyboard driver reads it), the high bit is the break. Alt held (either
// Alt key) is marked in the key data of every key meanwhile.

#include <bitset>
#include <cstdint>
#include <optional>

namespace kbx::platform {

class SetOneByteReader {
public:
    // The key data once `byte` completes a key; nothing for a prefix.
    std::optional<std::uint32_t> feed(std::uint8_t byte);
    // Whether the last key's code was already down: a repeat of the keyboard.
    bool lastWasRepeat() const { return lastWasRepeat_; }

private:
    bool extended_ = false;
    int bytesToSkip_ = 0;  // of the Pause sequence
    bool leftAlt_ = false;
    bool rightAlt_ = false;
    bool lastWasRepeat_ = false;
    std::bitset<256> down_;  // codes held, by the driver's index (0x80 = extended)
};

}  // namespace kbx::platform
