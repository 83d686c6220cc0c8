#pragma once

// A keyboard port for the transport tests: a keyboard controller with its
// status bits and output buffer, the keyboard device with the answers it
// holds while it captures, and the driver device, all behind one keyboard
// channel. The keyboard answers every byte it receives as scripted.

#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <vector>

#include "iface/tests/scripted_link.h"
#include "iface/transports/keyboard_channel_access.h"

namespace kbxi::test {

// The keyboard device's control codes as the device knows them.
inline constexpr std::uint32_t kCapture = 0x000B400C;
inline constexpr std::uint32_t kRelease = 0x000B4010;
inline constexpr std::uint32_t kClear = 0x000B4014;
inline constexpr std::uint32_t kAvailable = 0x000B0400;
inline constexpr std::uint32_t kGet = 0x000B0800;
inline constexpr std::uint32_t kSendByte = 0x000B4000;

struct FakeKeyboardPort {
    // The keyboard: its answer bytes to each byte it receives. Default: the
    // echo to 0xEE, an acknowledgement to everything else.
    std::function<Bytes(std::uint8_t)> answer;
    Bytes received;  // every byte that reached the keyboard

    // The controller.
    unsigned busyReads = 0;        // status reads that still report the input buffer full
    bool alwaysBusy = false;
    std::uint8_t fullStatus = 0;   // bits set besides bit 0 while a byte waits
    std::deque<std::uint8_t> output;
    Bytes commandBytes;            // written after command 0x60
    std::size_t statusReads = 0;

    // The keyboard device.
    struct DeviceCall {
        std::uint32_t code;
        Bytes input;
        std::size_t outputSize;
    };
    std::vector<DeviceCall> deviceCalls;
    bool captured = false;
    std::deque<std::uint8_t> held;

    // The driver device.
    struct DriverCall {
        std::uint32_t code;
        Bytes input;
    };
    std::vector<DriverCall> driverCalls;
    bool driverAccepts = true;

    // The channel breaks after this many requests (over every channel opened).
    std::size_t breakAfter = std::numeric_limits<std::size_t>::max();
    std::size_t requests = 0;
    int opens = 0;

    // The codes of the device calls, in order.
    std::vector<std::uint32_t> deviceCodes() const;
};

// Opens channels to `port` (it must outlive them).
KeyboardChannelOpener openerFor(FakeKeyboardPort& port);
// An opener that finds no device.
KeyboardChannelOpener noKeyboardPort();

}  // namespace kbxi::test
