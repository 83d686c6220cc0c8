#include "platform/keyboard_channel.h"

#include <array>
#include <cstdlib>
#include <string_view>

#include "platform/channel/channel_keyboard.h"
#include "platform/channel/serio_channel.h"

namespace kbx::platform {
namespace {

constexpr std::string_view kSimulatedPrefix = "sim:";
constexpr std::string_view kSerioPrefix = "serio:";

std::unique_ptr<KeyboardChannel> openSimulated(const std::string& path, std::string& why) {
    std::unique_ptr<ChannelConnection> connection = ChannelConnection::connect(path, why);
    if (!connection) return nullptr;
    return std::make_unique<SimulatedKeyboardChannel>(std::move(connection));
}

std::unique_ptr<KeyboardChannel> openSerio(const std::string& path, std::string& why) {
    return SerioChannel::open(path, why);
}

struct Backend {
    std::string_view prefix;
    std::unique_ptr<KeyboardChannel> (*open)(const std::string& path, std::string& why);
};
constexpr std::array kBackends{
    Backend{kSimulatedPrefix, openSimulated},
    Backend{kSerioPrefix, openSerio},
};

// What follows `prefix` in `value`; nothing when the value does not begin
// with it or names nothing after it.
std::optional<std::string> afterPrefix(std::string_view value, std::string_view prefix) {
    if (!value.starts_with(prefix) || value.size() == prefix.size()) return std::nullopt;
    return std::string(value.substr(prefix.size()));
}

}  // namespace

std::optional<std::string> simulatedKeyboardPath(const char* variableValue) {
    if (variableValue == nullptr) return std::nullopt;
    return afterPrefix(variableValue, kSimulatedPrefix);
}

std::optional<std::string> serioPortPath(const char* variableValue) {
    if (variableValue == nullptr) return std::nullopt;
    return afterPrefix(variableValue, kSerioPrefix);
}

std::unique_ptr<KeyboardChannel> openKeyboardChannel() {
    std::string why;
    return openKeyboardChannel(why);
}

std::unique_ptr<KeyboardChannel> openKeyboardChannel(std::string& why) {
    why.clear();
    const char* setting = std::getenv(kKeyboardVariable);
    if (setting == nullptr || *setting == '\0') return nullptr;
    for (const Backend& backend : kBackends) {
        const std::optional<std::string> path = afterPrefix(setting, backend.prefix);
        if (!path) continue;
        std::string reason;
        std::unique_ptr<KeyboardChannel> channel = backend.open(*path, reason);
        if (!channel) why = std::string(kKeyboardVariable) + ": " + reason;
        return channel;
    }
    why = std::string(kKeyboardVariable) + ": unknown keyboard channel \"" + setting + "\"";
    return nullptr;
}

}  // namespace kbx::platform
