#include "tools/kbx32/port_release.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <termios.h>

#include <algorithm>
#include <array>

#include "platform/serial_devices.h"
#include "tools/kbx32/port_diagnosis.h"

namespace kbx32 {
namespace {

constexpr std::array kStoppingSignals{SIGTERM, SIGINT};
// The library opens its port early in a run, so the port is among the first
// descriptors; the search stays short inside a signal handler.
constexpr rlim_t kMostDescriptorsSearched = 4096;

// What the handler needs, set before it is installed and only read after.
struct HeldPort {
    dev_t device = 0;
    int descriptorsSearched = 0;
};
HeldPort heldPort;

// Runs inside the handler: only async-signal-safe calls (fstat, ioctl,
// raise; signal-safety(7)).
void givePortBack() {
    for (int descriptor = 0; descriptor < heldPort.descriptorsSearched; ++descriptor) {
        struct stat status {};
        if (::fstat(descriptor, &status) == 0 && S_ISCHR(status.st_mode) && status.st_rdev == heldPort.device)
            ::ioctl(descriptor, TIOCNXCL);
    }
}

// SA_RESETHAND has put the default action back; the signal raised again stays
// blocked until the handler returns and then ends the run as it would have.
void releaseAndStop(int signalNumber) {
    givePortBack();
    ::raise(signalNumber);
}

int descriptorsToSearch() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return int(kMostDescriptorsSearched);
    return int(std::min(limit.rlim_cur, kMostDescriptorsSearched));
}

}  // namespace

void releasePortWhenStopped(const std::string& interfaceString) {
    const std::string portName = serialPortNameOf(interfaceString);
    if (portName.empty()) return;
    const std::string device = kbx::platform::serialDevicePath(portName);
    struct stat status {};
    if (device.empty() || ::stat(device.c_str(), &status) != 0 || !S_ISCHR(status.st_mode)) return;
    heldPort = HeldPort{status.st_rdev, descriptorsToSearch()};

    struct sigaction action {};
    action.sa_handler = releaseAndStop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : kStoppingSignals) sigaddset(&action.sa_mask, signalNumber);
    for (const int signalNumber : kStoppingSignals) ::sigaction(signalNumber, &action, nullptr);
}

}  // namespace kbx32
