#include "platform/key_events/key_events_evdev.h"

#include <array>

#include "platform/key_events/evdev_libevdev.h"

namespace kbx::platform {
namespace {

// The lights a desktop sets and a till keyboard has.
constexpr std::array<std::uint16_t, 3> kKeyboardLeds{LED_NUML, LED_CAPSL, LED_SCROLLL};

}  // namespace

EvdevKeyEvents::EvdevKeyEvents(std::unique_ptr<EvdevKeyboard> keyboard, std::unique_ptr<PassOnDevice> passOn,
                               KeyEventHandler handler)
    : keyboard_(std::move(keyboard)),
      passOn_(std::move(passOn)),
      handler_(std::move(handler)),
      decoder_(scanValuesAreSetOne(keyboard_->name())) {
    loan_.emplace(keyboard_->keymap());
    copyLedsToPassOn();
    grabWhenNoKeyIsHeld();
}

EvdevKeyEvents::~EvdevKeyEvents() {
    stopWatching();
    loan_.reset();
    if (grabbed_) keyboard_->grab(false);
}

bool EvdevKeyEvents::startWatching() {
    keyboardWatch_ = watchDescriptor(keyboard_->descriptor(), [this] { readKeyboard(); });
    passOnWatch_ = watchDescriptor(passOn_->descriptor(), [this] { readPassOnRequests(); });
    return keyboardWatch_ != 0 && passOnWatch_ != 0;
}

void EvdevKeyEvents::stopWatching() {
    if (keyboardWatch_ != 0) unwatchDescriptor(keyboardWatch_);
    if (passOnWatch_ != 0) unwatchDescriptor(passOnWatch_);
    keyboardWatch_ = passOnWatch_ = 0;
}

// Until the grab, the desktop reads the keyboard itself: its events are
// only followed, so that the held keys are known.
void EvdevKeyEvents::readKeyboard() {
    EvdevEvent event;
    for (;;) {
        switch (keyboard_->next(event)) {
        case EvdevKeyboard::Read::none:
            grabWhenNoKeyIsHeld();
            return;
        case EvdevKeyboard::Read::gone:
            stopWatching();
            return;
        case EvdevKeyboard::Read::event:
        case EvdevKeyboard::Read::dropped:
            if (grabbed_) handle(event);
            break;
        }
    }
}

void EvdevKeyEvents::grabWhenNoKeyIsHeld() {
    if (grabbed_ || keyboard_->anyKeyDown()) return;
    grabbed_ = keyboard_->grab(true);
}

void EvdevKeyEvents::handle(const EvdevEvent& event) {
    const DecodedEvent decoded = decoder_.decode(event);
    switch (decoded.kind) {
    case DecodedEvent::Kind::none:
        if (event.type == EV_SYN && event.code == SYN_REPORT && passedSinceReport_) passOn(event);
        return;
    case DecodedEvent::Kind::scanOnly:
        handler_(*decoded.keyData);
        return;
    case DecodedEvent::Kind::key:
        if (decoded.keyData && handler_(*decoded.keyData)) return;
        if (loan_->isLent(event.code)) return;
        break;
    case DecodedEvent::Kind::other:
        break;
    }
    passOn(event);
}

void EvdevKeyEvents::passOn(const EvdevEvent& event) {
    passOn_->write(event);
    passedSinceReport_ = !(event.type == EV_SYN && event.code == SYN_REPORT);
}

void EvdevKeyEvents::copyLedsToPassOn() {
    for (const std::uint16_t led : kKeyboardLeds) passOn_->write({EV_LED, led, keyboard_->ledOn(led) ? 1 : 0});
    passOn_->write({EV_SYN, SYN_REPORT, 0});
}

// The desktop sets the lights of the device it sees; the keyboard shows them.
void EvdevKeyEvents::readPassOnRequests() {
    EvdevEvent request;
    while (passOn_->nextRequest(request))
        if (request.type == EV_LED) keyboard_->setLed(request.code, request.value != 0);
}

OpenedKeyEventSource openEvdevKeyEvents(const std::string& devicePath, KeyEventHandler handler) {
    LibevdevDevices devices = openLibevdevDevices(devicePath);
    if (!devices.keyboard) return openingFailed(devices.error);
    auto source =
        std::make_unique<EvdevKeyEvents>(std::move(devices.keyboard), std::move(devices.passOn), std::move(handler));
    if (!source->startWatching()) return openingFailed(devicePath + ": cannot watch the device");
    return openedSource(std::move(source));
}

}  // namespace kbx::platform
