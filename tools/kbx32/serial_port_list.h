#pragma once

// The serial ports present: USB-serial adapters (ttyUSB*, ttyACM*) and the
// built-in ports (ttyS*) that have a UART behind them, each with the stable
// names udev gives it in /dev/serial/by-id.

#include <filesystem>
#include <string>
#include <vector>

namespace kbx32 {

struct SerialPortEntry {
    std::string device;                // "/dev/ttyUSB0"
    std::vector<std::string> stableNames;  // "/dev/serial/by-id/usb-...-if00-port0"
};

// The ports under `devices` (normally /dev), in name order.
std::vector<SerialPortEntry> listSerialPorts(const std::filesystem::path& devices = "/dev");

// One line a port: the device, then its stable names; a note when none is there.
std::string serialPortListText(const std::vector<SerialPortEntry>& ports);

}  // namespace kbx32
