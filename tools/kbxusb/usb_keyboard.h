#pragma once

// The USB keyboard as this library reaches it: the simulated keyboard named
// by KBX_USB=sim:PATH, over its socket, connected on first use and kept until
// it is released or fails. With nothing named the keyboard is unreachable;
// a named keyboard that cannot be reached is reported with the reason.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/channel_connection.h"

namespace kbxusb {

inline constexpr char kUsbVariable[] = "KBX_USB";

class UsbKeyboard {
public:
    // 0 when the keyboard accepted the byte, else its answer or 1.
    int send(std::uint8_t byte);
    // 0 when the keyboard is reachable, else its answer or 1.
    int check();
    // Releases the keyboard and the connection.
    void close();

private:
    // The answer byte of a request, nothing when the keyboard cannot be
    // reached (the connection is let go then).
    std::optional<std::uint8_t> ask(const kbx::platform::channel::Packet& request);
    // Tells the user why the named keyboard cannot be reached.
    void report(const std::string& why);

    std::unique_ptr<kbx::platform::ChannelConnection> connection_;
    std::string reported_;  // the reason told last
};

// The library's one state object.
UsbKeyboard& usbKeyboard();

}  // namespace kbxusb
