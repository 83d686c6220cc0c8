#include "tools/kbxsim/transports/open_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

namespace kbxsim {
namespace {

const std::filesystem::path kProcesses = "/proc";
constexpr char kDescriptors[] = "fd";

bool allDigits(const std::string& name) {
    if (name.empty()) return false;
    for (const char c : name)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool namesDevice(const std::filesystem::path& link, dev_t device) {
    struct stat status {};
    return ::stat(link.c_str(), &status) == 0 && S_ISCHR(status.st_mode) && status.st_rdev == device;
}

}  // namespace

bool openElsewhere(dev_t device, int ownDescriptor) {
    const std::string self = std::to_string(::getpid());
    const std::string own = std::to_string(ownDescriptor);
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator(kProcesses, error)) {
        const std::string pid = process.path().filename();
        if (!allDigits(pid)) continue;
        std::error_code unreadable;
        for (const auto& descriptor : std::filesystem::directory_iterator(process.path() / kDescriptors, unreadable)) {
            if (pid == self && descriptor.path().filename() == own) continue;
            if (namesDevice(descriptor.path(), device)) return true;
        }
    }
    return false;
}

}  // namespace kbxsim
