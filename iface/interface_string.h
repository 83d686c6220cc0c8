#pragma once

// The interface string every file and command call brings in its message
// buffer: "USB", "COM" with a port and settings, or "AT", optionally with
// the word "CHECK" (or "NOCHECK") anywhere.

#include <functional>
#include <string>
#include <string_view>

#include "iface/message_buffer.h"
#include "iface/selection.h"
#include "iface/transports/serial_port.h"

namespace kbxi {

namespace interface_code {
inline constexpr int kUnknown = -10;
inline constexpr int kUsbUnbound = -47;
// A serial set-up failure 1-9 becomes that code minus this: -31 to -23.
inline constexpr int kSerialOffset = 32;
}  // namespace interface_code

// What the string acts on.
struct InterfaceTargets {
    Selection& selection;
    bool& serialSelected;
    bool& checkRequested;
    std::function<int(std::string& why)> bindUsb;         // 0, or nonzero with why when the USB library is missing
    std::function<int(const SerialRequest&)> openSerial;  // 0, or the serial set-up code 1-9
};

// Upper-cases the string in the buffer in place and acts on it: 0 with the
// buffer emptied, or a negative code with the buffer holding why.
int parseInterfaceString(MessageBuffer& buffer, InterfaceTargets& targets);

// Whether a command is to go out raw: the string begins with "AT0" as the
// caller wrote it, before upper-casing.
bool requestsRawCommand(std::string_view callerText);

}  // namespace kbxi
