#include "platform/system_info.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace kbx::platform {

namespace {

constexpr char kPlatformVariable[] = "KBX_PLATFORM";

struct NamedVersion {
    std::string_view name;
    SystemVersion version;
};

constexpr std::array kNamedVersions{
    NamedVersion{"nt4", SystemVersion{true, 4}},
    NamedVersion{"w95", SystemVersion{false, 4}},
};

constexpr SystemVersion kLinuxVersion{true, 5};

}  // namespace

SystemVersion systemVersion() {
    const char* chosen = std::getenv(kPlatformVariable);
    if (chosen == nullptr) return kLinuxVersion;
    for (const NamedVersion& named : kNamedVersions) {
        if (named.name == chosen) return named.version;
    }
    return kLinuxVersion;
}

}  // namespace kbx::platform
