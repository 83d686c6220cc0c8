#include "posfunc/commands/direct_byte.h"

#include <optional>

#include "format/keyboard_protocol.h"
#include "platform/keyboard_channel.h"
#include "platform/notifier.h"
#include "platform/system_info.h"
#include "posfunc/commands/byte_transport.h"
#include "posfunc/commands/controller_port.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

using kbx::protocol::kAcknowledge;
using kbx::protocol::kResend;

int sendThroughDriver(FuncState& state, std::uint8_t byte) {
    // A bracket that is open belongs to a command in progress; it stays open.
    const bool openedHere = !state.commands.bracketOpen || !state.kbxi.loaded();
    if (openedHere && openCommandBracket(state) != 0) return kCommandFailed;
    const Kbxi32Functions& vdd = state.kbxi.functions();
    vdd.vddSendbyte(byte);
    int result = kCommandFailed;
    for (int poll = 0; poll < kDriverAnswerPolls; ++poll) {
        if (vdd.vddEfAvailable() == 0) continue;
        const std::uint8_t answer = vdd.vddEfGet();
        if (answer == kAcknowledge || answer == kResend) vdd.vddKbdClr();
        if (answer == kAcknowledge) result = 0;
        break;
    }
    if (openedHere) closeCommandBracket(state);
    return result;
}

// The default channel that cannot be opened is named with the system's
// reason, once for each new reason: a string's bytes retry many times.
std::unique_ptr<kbx::platform::KeyboardChannel> openDefaultChannelTellingWhy(CommandState& commands) {
    std::string why;
    std::unique_ptr<kbx::platform::KeyboardChannel> ports = openDefaultControllerChannel(why);
    if (ports) {
        commands.channelFailureTold.clear();
    } else if (!why.empty() && why != commands.channelFailureTold) {
        kbx::platform::notify(why, kDeviceMessageTitle, kbx::platform::Buttons::ok);
        commands.channelFailureTold = why;
    }
    return ports;
}

int sendThroughControllerPorts(FuncState& state, std::uint8_t byte) {
    const ControllerChannelOpener& open = state.commands.openControllerChannel;
    std::unique_ptr<kbx::platform::KeyboardChannel> ports = open ? open() : openDefaultChannelTellingWhy(state.commands);
    if (!ports) return kCommandFailed;
    return sendThroughController(*ports, byte);
}

}  // namespace

int sendDirectByte(FuncState& state, std::uint8_t byte) {
    const bool ntFamily = state.kbxi.loaded() ? state.kbxi.ntFamily() : kbx::platform::systemVersion().nt;
    return ntFamily ? sendThroughDriver(state, byte) : sendThroughControllerPorts(state, byte);
}

int sendDirectString(FuncState& state, const char* text) {
    constexpr int kGaveUp = 0;
    constexpr int kAllSent = 1;
    if (text == nullptr) return kGaveUp;
    for (const char* p = text; *p != '\0'; ++p) {
        int failures = 0;
        while (sendDirectByte(state, static_cast<std::uint8_t>(*p)) != 0) {
            if (++failures == kStringAttempts) return kGaveUp;
        }
    }
    return kAllSent;
}

}  // namespace kbxfunc
