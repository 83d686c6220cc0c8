#include "iface/interface_string.h"

#include <array>

namespace kbxi {
namespace {

constexpr char kUnknownInterface[] = "Unknown interface!";
constexpr std::string_view kCheckWord = "CHECK";
constexpr std::string_view kNoCheckWord = "NOCHECK";
constexpr std::string_view kRawCommandPrefix = "AT0";

// A library that cannot be bound is named in the buffer, with what failed.
int acceptUsb(std::string_view, InterfaceTargets& targets, MessageBuffer& buffer) {
    targets.selection.set(PortTransport::usb);
    targets.selection.chosen = true;
    std::string why;
    if (targets.bindUsb(why) == 0) return 0;
    buffer.set(why);
    return interface_code::kUsbUnbound;
}

int acceptSerial(std::string_view text, InterfaceTargets& targets, MessageBuffer&) {
    const int code = targets.openSerial(serialRequest(text));
    if (code != 0) return code - interface_code::kSerialOffset;
    targets.serialSelected = true;
    return 0;
}

// The keyboard port with whatever selection holds.
int acceptKeyboardPort(std::string_view, InterfaceTargets&, MessageBuffer&) { return 0; }

// The prefixes in the order they are tested.
struct InterfacePrefix {
    std::string_view prefix;
    int (*accept)(std::string_view text, InterfaceTargets& targets, MessageBuffer& buffer);
};
constexpr std::array<InterfacePrefix, 3> kPrefixes{{
    {"USB", acceptUsb},
    {"COM", acceptSerial},
    {"AT", acceptKeyboardPort},
}};

void upperCaseInPlace(MessageBuffer& buffer) {
    const std::size_t length = buffer.text().size();
    char* text = buffer.data();
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = char(text[i] - 'a' + 'A');
    }
}

}  // namespace

int parseInterfaceString(MessageBuffer& buffer, InterfaceTargets& targets) {
    upperCaseInPlace(buffer);
    const std::string_view text = buffer.text();
    targets.checkRequested = text.find(kCheckWord) != std::string_view::npos;
    if (text.find(kNoCheckWord) != std::string_view::npos) targets.checkRequested = false;
    for (const InterfacePrefix& entry : kPrefixes) {
        if (!text.starts_with(entry.prefix)) continue;
        const int result = entry.accept(text, targets, buffer);
        if (result == 0) buffer.clear();
        return result;
    }
    buffer.set(kUnknownInterface);
    return interface_code::kUnknown;
}

bool requestsRawCommand(std::string_view callerText) { return callerText.starts_with(kRawCommandPrefix); }

}  // namespace kbxi
