#include "platform/key_events.h"

#include <cstdlib>
#include <string_view>

#include "platform/key_events_evdev.h"
#include "platform/key_events_sim.h"

namespace kbx::platform {
namespace {

constexpr std::string_view kSimPrefix = "sim:";
constexpr std::string_view kEvdevPrefix = "evdev:";

std::optional<std::string> afterPrefix(const char* value, std::string_view prefix) {
    if (value == nullptr) return std::nullopt;
    const std::string_view text(value);
    if (!text.starts_with(prefix)) return std::nullopt;
    return std::string(text.substr(prefix.size()));
}

}  // namespace

OpenedKeyEventSource openKeyEventSource(KeyEventHandler handler) {
    const char* configured = std::getenv(kKeyEventsVariable);
    if (configured != nullptr && *configured != '\0') {
        if (auto path = afterPrefix(configured, kSimPrefix)) return openSimulatedKeyEvents(*path, std::move(handler));
        if (auto path = afterPrefix(configured, kEvdevPrefix)) return openEvdevKeyEvents(*path, std::move(handler));
        return {nullptr, true, std::string(kKeyEventsVariable) + ": unknown key event source \"" + configured + "\""};
    }
    for (const char* variable : kSimulatedKeyboardVariables)
        if (auto path = afterPrefix(std::getenv(variable), kSimPrefix))
            return openSimulatedKeyEvents(*path, std::move(handler));
    return {};
}

}  // namespace kbx::platform
