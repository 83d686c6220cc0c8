#include "tools/kbx32/serial_port_list.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

#include "platform/unique_fd.h"

namespace kbx32 {
namespace {

namespace fs = std::filesystem;

// Adapters are there when their node is; a ttyS node exists for every port
// the kernel could have, so it counts only when a UART answers behind it.
struct DeviceFamily {
    std::string_view prefix;
    bool askTheDriver;
};
constexpr std::array kFamilies{
    DeviceFamily{"ttyUSB", false},
    DeviceFamily{"ttyACM", false},
    DeviceFamily{"ttyS", true},
};

constexpr char kStableNames[] = "serial/by-id";
constexpr char kNoPorts[] = "no serial ports found\n";

// TIOCGSERIAL reports PORT_UNKNOWN for a ttyS without a UART (what setserial shows as "unknown").
bool hasUart(const fs::path& device) {
    kbx::platform::UniqueFd port(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!port.isOpen()) return false;
    serial_struct serial{};
    return ::ioctl(port.get(), TIOCGSERIAL, &serial) == 0 && serial.type != PORT_UNKNOWN;
}

const DeviceFamily* familyOf(std::string_view name) {
    for (const DeviceFamily& family : kFamilies) {
        if (!name.starts_with(family.prefix)) continue;
        const std::string_view number = name.substr(family.prefix.size());
        if (!number.empty() && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return &family;
    }
    return nullptr;
}

}  // namespace

std::vector<SerialPortEntry> listSerialPorts(const fs::path& devices) {
    std::vector<SerialPortEntry> ports;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(devices, error)) {
        const std::string name = entry.path().filename().string();
        const DeviceFamily* family = familyOf(name);
        if (family == nullptr || (family->askTheDriver && !hasUart(entry.path()))) continue;
        ports.push_back({entry.path().string(), {}});
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.device < b.device; });
    for (const fs::directory_entry& link : fs::directory_iterator(devices / kStableNames, error)) {
        const fs::path target = fs::weakly_canonical(link.path(), error);
        for (SerialPortEntry& port : ports)
            if (fs::weakly_canonical(port.device, error) == target) port.stableNames.push_back(link.path().string());
    }
    for (SerialPortEntry& port : ports) std::sort(port.stableNames.begin(), port.stableNames.end());
    return ports;
}

std::string serialPortListText(const std::vector<SerialPortEntry>& ports) {
    if (ports.empty()) return kNoPorts;
    std::string text;
    for (const SerialPortEntry& port : ports) {
        text += port.device;
        for (const std::string& name : port.stableNames) text += "  " + name;
        text += '\n';
    }
    return text;
}

}  // namespace kbx32
