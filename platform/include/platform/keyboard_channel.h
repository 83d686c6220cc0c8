#pragma once

// The keyboard channel: how the interface library reaches the PC keyboard
// port's three facilities (the keyboard controller's ports 0x60 and 0x64,
// the keyboard device's control requests, the outside driver device's
// request), with their byte semantics unchanged. The backend is chosen by
// the environment variable KBX_KEYBOARD:
//   sim:PATH               a running simulated keyboard, over the Unix socket
//                          at PATH (every facility);
//   serio:/dev/serio_rawN  the Linux raw PS/2 port (the driver request only:
//                          the byte is written, the keyboard's answer read);
//   unset or anything else the channel cannot be opened, as a missing device.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kbx::platform {

inline constexpr char kKeyboardVariable[] = "KBX_KEYBOARD";

class KeyboardChannel {
public:
    virtual ~KeyboardChannel() = default;

    // Controller ports. Nothing / false when the facility is not there or
    // the channel broke.
    virtual std::optional<std::uint8_t> readPort(std::uint16_t port) = 0;
    virtual bool writePort(std::uint16_t port, std::uint8_t value) = 0;

    // A control request of the keyboard device: its output bytes
    // (`outputSize` of them), nothing when the device cannot be reached.
    virtual std::optional<std::vector<std::uint8_t>> deviceControl(std::uint32_t code,
                                                                   std::span<const std::uint8_t> input,
                                                                   std::size_t outputSize) = 0;

    // The driver device's request: true when it succeeded.
    virtual bool driverRequest(std::uint32_t code, std::span<const std::uint8_t> input) = 0;
};

// Opens the channel KBX_KEYBOARD names; null when it names none or it cannot
// be reached. With `why`: when a channel is named and cannot be opened, the
// variable, the channel and the system's reason; empty when none is named.
std::unique_ptr<KeyboardChannel> openKeyboardChannel();
std::unique_ptr<KeyboardChannel> openKeyboardChannel(std::string& why);

// The socket path of a "sim:PATH" value, else nothing.
std::optional<std::string> simulatedKeyboardPath(const char* variableValue);
// The port path of a "serio:PATH" value, else nothing.
std::optional<std::string> serioPortPath(const char* variableValue);

}  // namespace kbx::platform
