#include "platform/serial_devices.h"

#include <cstdlib>

namespace kbx::platform {
namespace {

constexpr std::string_view kPortPrefix = "COM";
constexpr std::string_view kSpacedPortPrefix = "COM ";  // "COM 2" names COM2
constexpr std::size_t kPortNameLength = 4;               // "COM1"
constexpr std::string_view kDeviceVariable = "KBX_COM";
constexpr std::string_view kFallbackDevice = "/dev/ttyS";
constexpr std::size_t kMostDigits = 9;
constexpr int kDecimal = 10;

// The n of "COMn", from 1; 0 for any other name.
int portNumberOf(std::string_view portName) {
    if (!portName.starts_with(kPortPrefix)) return 0;
    const std::string_view digits = portName.substr(kPortPrefix.size());
    if (digits.empty() || digits.size() > kMostDigits) return 0;
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return 0;
        number = number * kDecimal + (c - '0');
    }
    return number;
}

}  // namespace

std::string serialPortName(std::string_view upperCasedInterfaceString) {
    const std::string_view text = upperCasedInterfaceString;
    if (!text.starts_with(kSpacedPortPrefix)) return std::string(text.substr(0, kPortNameLength));
    std::string name(kPortPrefix);
    if (text.size() > kSpacedPortPrefix.size()) name += text[kSpacedPortPrefix.size()];
    return name;
}

std::string serialDeviceVariable(std::string_view portName) {
    const int number = portNumberOf(portName);
    if (number < 1) return {};
    return std::string(kDeviceVariable) + std::to_string(number);
}

std::string serialDevicePath(std::string_view portName) {
    const int number = portNumberOf(portName);
    if (number < 1) return {};
    const char* configured = std::getenv(serialDeviceVariable(portName).c_str());
    if (configured != nullptr && *configured != '\0') return configured;
    return std::string(kFallbackDevice) + std::to_string(number - 1);
}

}  // namespace kbx::platform
