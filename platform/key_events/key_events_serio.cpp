#include "platform/key_events/key_events_serio.h"

#include <linux/input-event-codes.h>

#include "platform/channel_protocol.h"
#include "platform/key_events/evdev_libevdev.h"
#include "platform/key_events/set_one_keymap.h"

namespace kbx::platform {
namespace {

constexpr char kKeysNotPassedOn[] = "the keyboard's other keys cannot reach the desktop: ";

}  // namespace

SerioKeyEvents::SerioKeyEvents(std::shared_ptr<SerioPort> port, std::unique_ptr<PassOnDevice> passOn,
                               KeyEventHandler handler)
    : port_(std::move(port)), passOn_(std::move(passOn)), handler_(std::move(handler)) {
    port_->setReader(true);
}

SerioKeyEvents::~SerioKeyEvents() {
    stopWatching();
    port_->setReader(false);
}

bool SerioKeyEvents::startWatching() {
    portWatch_ = watchDescriptor(port_->descriptor(), [this] { readPort(); });
    wakeWatch_ = watchDescriptor(port_->wakeDescriptor(), [this] { readPort(); });
    return portWatch_ != 0 && wakeWatch_ != 0;
}

void SerioKeyEvents::stopWatching() {
    if (portWatch_ != 0) unwatchDescriptor(portWatch_);
    if (wakeWatch_ != 0) unwatchDescriptor(wakeWatch_);
    portWatch_ = wakeWatch_ = 0;
}

// A port that went away stays readable for ever: it is no longer watched.
void SerioKeyEvents::readPort() {
    for (const std::uint8_t byte : port_->take()) handle(byte);
    if (port_->gone()) stopWatching();
}

void SerioKeyEvents::handle(std::uint8_t byte) {
    const std::optional<std::uint32_t> keyData = reader_.feed(byte);
    if (!keyData || handler_(*keyData) || !passOn_) return;
    const std::uint8_t scanCode = channel::scanCodeOf(*keyData);
    const std::uint16_t linuxKey = defaultLinuxKeyOf({scanCode, (*keyData & channel::kExtendedBit) != 0});
    if (linuxKey == 0) return;  // a code the desktop has no key for (and the keyboard's replies)
    const bool up = (*keyData & channel::kKeyUpBit) != 0;
    passOn_->write({EV_KEY, linuxKey, up ? kKeyUp : reader_.lastWasRepeat() ? kKeyRepeat : kKeyDown});
    passOn_->write({EV_SYN, SYN_REPORT, 0});
}

OpenedKeyEventSource openSerioKeyEvents(const std::string& portPath, KeyEventHandler handler) {
    std::string error;
    std::shared_ptr<SerioPort> port = SerioPort::open(portPath, error);
    if (!port) return openingFailed(error);
    // Without uinput the port still carries module data and replies; only
    // the keys the library lets through cannot reach the desktop.
    std::string passOnError;
    std::unique_ptr<PassOnDevice> passOn = createKeyboardPortPassOn(passOnError);
    auto source = std::make_unique<SerioKeyEvents>(std::move(port), std::move(passOn), std::move(handler));
    if (!source->startWatching()) return openingFailed(portPath + ": cannot watch the port");
    std::string warning;
    if (!passOnError.empty()) warning = portPath + ": " + kKeysNotPassedOn + passOnError;
    return openedSource(std::move(source), warning);
}

}  // namespace kbx::platform
