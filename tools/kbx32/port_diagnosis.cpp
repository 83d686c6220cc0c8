#include "tools/kbx32/port_diagnosis.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/serial_devices.h"
#include "platform/unique_fd.h"

namespace kbx32 {
namespace {

constexpr std::string_view kPortPrefix = "COM";

struct PortRequest {
    std::string portName;
    bool searched = true;  // no settings given: the library searched them
};

// The port name as the library reads the interface string, settings after
// a colon.
PortRequest portRequestOf(const std::string& interfaceString) {
    std::string text;
    for (const char c : interfaceString) text += char(std::toupper(static_cast<unsigned char>(c)));
    PortRequest request;
    request.portName = kbx::platform::serialPortName(text);
    request.searched = text.find(':') == std::string::npos;
    return request;
}

// What is wrong with the device, or nothing when it opens as a free line.
std::string deviceProblem(const std::string& device) {
    kbx::platform::UniqueFd port(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!port.isOpen()) return device + ": " + std::strerror(errno);
    if (!::isatty(port.get())) return device + ": not a serial port";
#ifdef TIOCGEXCL
    int heldExclusively = 0;
    if (::ioctl(port.get(), TIOCGEXCL, &heldExclusively) == 0 && heldExclusively != 0)
        return device + ": " + std::strerror(EBUSY) + " (another program holds the port)";
#endif
    return {};
}

}  // namespace

std::string serialPortNameOf(const std::string& interfaceString) {
    const PortRequest request = portRequestOf(interfaceString);
    return request.portName.starts_with(kPortPrefix) ? request.portName : std::string();
}

bool searchesLineSettings(const std::string& interfaceString) {
    const PortRequest request = portRequestOf(interfaceString);
    return request.searched && request.portName.starts_with(kPortPrefix);
}

PortDiagnosis diagnosePortFailure(const std::string& interfaceString) {
    const PortRequest request = portRequestOf(interfaceString);
    const std::string device = kbx::platform::serialDevicePath(request.portName);
    if (device.empty()) return {Outcome::portNotOpened, request.portName + " names no serial port"};
    if (std::string problem = deviceProblem(device); !problem.empty()) return {Outcome::portNotOpened, problem};
    if (request.searched)
        return {Outcome::noKeyboardFound, device + ": no keyboard answered the echo at any of the searched line settings"};
    return {Outcome::portNotOpened, device + ": the line settings cannot be set"};
}

StepResult withPortDiagnosis(const std::string& interfaceString, StepResult result) {
    if (result.outcome != Outcome::portNotOpened) return result;
    return withPortDiagnosis(std::move(result), diagnosePortFailure(interfaceString));
}

StepResult withPortDiagnosis(StepResult result, const PortDiagnosis& diagnosis) {
    while (!result.detail.empty() && (result.detail.back() == '\n' || result.detail.back() == '\r'))
        result.detail.pop_back();
    result.detail += (result.detail.empty() ? "" : "; ") + diagnosis.text;
    result.outcome = diagnosis.outcome;
    return result;
}

}  // namespace kbx32
