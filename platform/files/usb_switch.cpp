#include "platform/usb_switch.h"

#include <sys/stat.h>

#include <cstdlib>

namespace kbx::platform {
namespace {

constexpr char kConfigVariable[] = "XDG_CONFIG_HOME";
constexpr char kHomeVariable[] = "HOME";
constexpr char kDefaultConfigFolder[] = "/.config";
constexpr char kSwitchFile[] = "/LayomatV18/usb";

bool named(const char* value) { return value != nullptr && value[0] != '\0'; }

}  // namespace

std::string usbSwitchPath() {
    if (const char* config = std::getenv(kConfigVariable); named(config)) return std::string(config) + kSwitchFile;
    if (const char* home = std::getenv(kHomeVariable); named(home))
        return std::string(home) + kDefaultConfigFolder + kSwitchFile;
    return {};
}

bool usbChoiceEnabled() {
    const std::string path = usbSwitchPath();
    struct stat info{};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

}  // namespace kbx::platform
