// The C functions through which the libraries of a process share its raw
// PS/2 ports. A handle keeps its port open; the port closes with the last.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "kbxplatform.h"
#include "platform/channel/serio_port_device.h"

struct KbxPlatformSerioPort {
    std::shared_ptr<kbx::platform::SerioPortDevice> device;
};

namespace {

KbxPlatformSerioPort* handleOf(std::shared_ptr<kbx::platform::SerioPortDevice> device) {
    if (!device) return nullptr;
    return std::make_unique<KbxPlatformSerioPort>(KbxPlatformSerioPort{std::move(device)}).release();
}

void copyBounded(const std::string& text, char* into, std::size_t size) {
    if (into == nullptr || size == 0) return;
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(into, text.data(), length);
    into[length] = '\0';
}

}  // namespace

extern "C" {

KBXPLATFORM_EXPORT KbxPlatformSerioPort* kbx_platform_serio_open(const char* path, char* error,
                                                                 std::size_t error_size) {
    if (path == nullptr) return nullptr;
    try {
        std::string why;
        KbxPlatformSerioPort* port = handleOf(kbx::platform::SerioPortDevice::open(path, why));
        if (port == nullptr) copyBounded(why, error, error_size);
        return port;
    } catch (...) {
        copyBounded(path, error, error_size);
        return nullptr;
    }
}

KBXPLATFORM_EXPORT KbxPlatformSerioPort* kbx_platform_serio_over(int fd) {
    try {
        return handleOf(kbx::platform::SerioPortDevice::over(kbx::platform::UniqueFd(fd)));
    } catch (...) {
        return nullptr;
    }
}

KBXPLATFORM_EXPORT void kbx_platform_serio_release(KbxPlatformSerioPort* port) {
    const std::unique_ptr<KbxPlatformSerioPort> released(port);
}

KBXPLATFORM_EXPORT int kbx_platform_serio_descriptor(KbxPlatformSerioPort* port) {
    return port != nullptr ? port->device->descriptor() : -1;
}

KBXPLATFORM_EXPORT int kbx_platform_serio_wake_descriptor(KbxPlatformSerioPort* port) {
    return port != nullptr ? port->device->wakeDescriptor() : -1;
}

KBXPLATFORM_EXPORT int kbx_platform_serio_request(KbxPlatformSerioPort* port, unsigned char byte, int timeout_ms) {
    return port != nullptr && port->device->request(byte, std::chrono::milliseconds(timeout_ms)) ? 1 : 0;
}

KBXPLATFORM_EXPORT void kbx_platform_serio_set_reader(KbxPlatformSerioPort* port, int reading) {
    if (port != nullptr) port->device->setReader(reading != 0);
}

KBXPLATFORM_EXPORT std::size_t kbx_platform_serio_take(KbxPlatformSerioPort* port, unsigned char* bytes,
                                                       std::size_t capacity) {
    if (port == nullptr || bytes == nullptr) return 0;
    try {
        const std::vector<std::uint8_t> taken = port->device->take(capacity);
        std::copy(taken.begin(), taken.end(), bytes);
        return taken.size();
    } catch (...) {
        return 0;
    }
}

KBXPLATFORM_EXPORT int kbx_platform_serio_gone(KbxPlatformSerioPort* port) {
    return port == nullptr || port->device->gone() ? 1 : 0;
}

}
