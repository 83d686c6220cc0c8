#pragma once

// The firmware's side of the connection to the host. A channel implements it:
// the serial channel writes the answers and the reply text as bytes on the
// line; a keyboard-port channel would return the answers as port bytes and
// type the reply text as key presses.

#include <cstdint>
#include <optional>
#include <string_view>

#include "kbxsim/line_settings.h"

namespace kbxsim {

class HostLink {
public:
    // The keyboard's answer to one byte: 0xFA, 0xFE or the echo 0xEE.
    virtual void sendAnswer(std::uint8_t answer) = 0;

    // The reply text of a read frame, after its acknowledgement.
    virtual void sendReplyText(std::string_view text) = 0;

    // The host's line as the channel sees it now; nothing when the channel has
    // no line settings.
    virtual std::optional<LineObservation> observeLine() = 0;

protected:
    ~HostLink() = default;
};

}  // namespace kbxsim
