#pragma once

// Key events from a Linux input device. The device is grabbed while the
// source is open, so that no other reader sees its keys; the grab waits
// until no key is held, so that the key that started the program is
// released on the desktop first. What the handler lets through reaches the
// desktop through a pass-through device made after the grabbed one; LED
// requests of the desktop go on to the keyboard and the keyboard's LED
// changes back to the desktop, so Caps Lock and Num Lock keep their lights.

#include <memory>
#include <optional>
#include <string>

#include "platform/key_events/evdev_device.h"
#include "platform/event_loop.h"

namespace kbx::platform {

class EvdevKeyEvents final : public KeyEventSource {
public:
    EvdevKeyEvents(std::unique_ptr<EvdevKeyboard> keyboard, std::unique_ptr<PassOnDevice> passOn,
                   KeyEventHandler handler);
    ~EvdevKeyEvents() override;
    EvdevKeyEvents(const EvdevKeyEvents&) = delete;
    EvdevKeyEvents& operator=(const EvdevKeyEvents&) = delete;

    // Watches both devices on the calling thread's loop: false when it cannot.
    bool startWatching();
    KeyboardModifiers modifiers() const override { return keyboard_->modifiers(); }

    // What the watches run.
    void readKeyboard();
    void readPassOnRequests();

    bool grabbed() const { return grabbed_; }
    const UnknownKeyLoan& loan() const { return *loan_; }

private:
    void grabWhenNoKeyIsHeld();
    void handle(const EvdevEvent& event);
    void passOn(const EvdevEvent& event);
    void copyLedsToPassOn();
    void stopWatching();

    std::unique_ptr<EvdevKeyboard> keyboard_;
    std::unique_ptr<PassOnDevice> passOn_;
    KeyEventHandler handler_;
    std::optional<UnknownKeyLoan> loan_;  // given back before the grab ends
    EvdevDecoder decoder_;
    bool grabbed_ = false;
    bool passedSinceReport_ = false;
    WatchId keyboardWatch_ = 0;
    WatchId passOnWatch_ = 0;
};

// Opens the device at `devicePath` through libevdev.
OpenedKeyEventSource openEvdevKeyEvents(const std::string& devicePath, KeyEventHandler handler);

}  // namespace kbx::platform
