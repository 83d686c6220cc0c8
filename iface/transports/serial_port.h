#pragma once

// The serial transport: a keyboard on a serial port, found and configured
// by the interface string, sent single bytes that it acknowledges with 0xFA,
// and read directly for the reply text of read frames and commands.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "iface/message_buffer.h"
#include "iface/transports/serial_timeouts.h"
#include "platform/serial_devices.h"

namespace kbxi {

struct LineSettings {
    int baud = 9600;
    char parity = 'O';  // 'E', 'O', 'N'
    int dataBits = 8;
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Reads a settings text ("19200,N,7" ...) over the defaults.
LineSettings parseLineSettings(std::string_view text);

// What the interface string says about the port: its name ("COM1"; "COM 2"
// names COM2) and the settings text after the first ":" (at most 23
// characters kept), absent when there is no ":".
struct SerialRequest {
    std::string portName;
    bool hasSettings = false;
    std::string settings;
};
SerialRequest serialRequest(std::string_view upperCasedInterfaceString);

// The device a port name opens: $KBX_COMn when set, else /dev/ttyS(n-1).
using kbx::platform::serialDevicePath;

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens and configures the port; with no settings text, searches the
    // line settings with the echo test. 0, or a code 1-9 with its message.
    int open(const SerialRequest& request, MessageBuffer& message);

    // Sends a byte and waits for the acknowledgement: 0, or 0x91-0x95.
    int sendByte(std::uint8_t byte, MessageBuffer& message);

    // One read of up to `count` bytes, waiting at most 50 ms per byte plus
    // 200 ms; the number of bytes read.
    std::size_t read(std::uint8_t* buffer, std::size_t count);

    // Closes the port: 0, or 15 with " (close failed)." appended.
    int close(MessageBuffer& message);

    bool isOpen() const { return descriptor_ >= 0; }
    const LineSettings& settings() const { return settings_; }

private:
    // Opens the port with one settings text: 0, or a code 1-8.
    int openWithSettings(std::string_view settingsText, MessageBuffer& message);
    // Tries the rows of the search table with the echo test: 0, 1-8, 2 or 9.
    int searchLineSettings(MessageBuffer& message);
    // Closes without a message, as a failed open does.
    void closeQuietly();
    // The open descriptor, given up by the port, its low latency turned off
    // again if the port turned it on.
    int releaseDescriptor();

    int descriptor_ = -1;
    bool lowLatencyAdded_ = false;
    LineSettings settings_;
    std::string portName_;
    SerialTimeouts timeouts_ = kFixedSerialTimeouts;
};

}  // namespace kbxi
