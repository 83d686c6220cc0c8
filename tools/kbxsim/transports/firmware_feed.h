#pragma once

// The keyboard-port and USB facilities give their bytes to the firmware
// through a feed: each byte is taken under the firmware's lock, its answers
// (0xFA, 0xFE, the echo 0xEE, or none) come back, and the reply text of a read
// frame goes to the reply sink, which types it, once the lock is released.
//
// The LED-command nibble path carries neither 0xEF nor 0xEC: its protocol
// bytes are preceded by an implied 0xEF whenever no frame is in progress, its
// display bytes by an implied 0xEC whenever no display sequence is open. The
// implied byte is received like any other (faults count it); when it is not
// acknowledged, its answer stands for the byte, which is then not given.

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kbxsim/firmware/shared_firmware.h"

namespace kbxsim {

using Answers = std::vector<std::uint8_t>;
using ReplySink = std::function<void(std::string_view replyText)>;

class FirmwareFeed {
public:
    // With a log, one line per byte the firmware receives, as the serial
    // channel writes them; an implied byte is marked "(implied)".
    FirmwareFeed(SharedFirmware& firmware, ReplySink replySink, std::ostream* log = nullptr);

    // A byte as it is.
    Answers give(std::uint8_t byte);
    // A byte of the nibble path tagged as protocol byte: a display sequence
    // left open ends, and 0xEF goes first when no frame is in progress.
    Answers giveProtocolByte(std::uint8_t byte);
    // A byte of the nibble path tagged as display byte: a frame left open is
    // given up, and 0xEC goes first when no display sequence is open.
    Answers giveDisplayByte(std::uint8_t byte);

    bool reachable();

private:
    enum class Path { plain, protocol, display };
    Answers exchange(std::uint8_t byte, Path path);

    SharedFirmware& firmware_;
    ReplySink replySink_;
    std::ostream* log_;
};

// Whether the answers say the keyboard took the byte: 0xFA, or the echo
// answered for an echo.
bool accepted(const Answers& answers, std::uint8_t byte);

}  // namespace kbxsim
