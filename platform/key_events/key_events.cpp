#include "platform/key_events.h"

#include <cstdlib>
#include <string_view>

#include "platform/key_events/key_events_evdev.h"
#include "platform/key_events/key_events_serio.h"
#include "platform/key_events/key_events_sim.h"
#include "platform/keyboard_channel.h"

namespace kbx::platform {
namespace {

constexpr std::string_view kEvdevPrefix = "evdev:";

std::optional<std::string> evdevPath(std::string_view value) {
    if (!value.starts_with(kEvdevPrefix)) return std::nullopt;
    return std::string(value.substr(kEvdevPrefix.size()));
}

}  // namespace

bool keyEventSourceConfigured() {
    const char* configured = std::getenv(kKeyEventsVariable);
    if (configured != nullptr && *configured != '\0') return true;
    for (const char* variable : kSimulatedKeyboardVariables)
        if (simulatedKeyboardPath(std::getenv(variable))) return true;
    return serioPortPath(std::getenv(kKeyboardVariable)).has_value();
}

OpenedKeyEventSource openKeyEventSource(KeyEventHandler handler) {
    const char* configured = std::getenv(kKeyEventsVariable);
    if (configured != nullptr && *configured != '\0') {
        if (auto path = simulatedKeyboardPath(configured)) return openSimulatedKeyEvents(*path, std::move(handler));
        if (auto path = evdevPath(configured)) return openEvdevKeyEvents(*path, std::move(handler));
        if (auto path = serioPortPath(configured)) return openSerioKeyEvents(*path, std::move(handler));
        return openingFailed(std::string(kKeyEventsVariable) + ": unknown key event source \"" + configured + "\"");
    }
    for (const char* variable : kSimulatedKeyboardVariables)
        if (auto path = simulatedKeyboardPath(std::getenv(variable)))
            return openSimulatedKeyEvents(*path, std::move(handler));
    if (auto path = serioPortPath(std::getenv(kKeyboardVariable))) return openSerioKeyEvents(*path, std::move(handler));
    return {};
}

}  // namespace kbx::platform
