#pragma once

// What the evdev key source needs of the devices it works with: the grabbed
// keyboard and the pass-through device that gives the desktop what the
// point-of-sale library lets through. libevdev stands behind both on a real
// machine (platform/evdev_libevdev.h); tests put recordings there.

#include <string>

#include "platform/key_events/evdev_decoder.h"
#include "platform/key_events/evdev_key_loan.h"
#include "platform/key_events.h"

namespace kbx::platform {

class EvdevKeyboard {
public:
    enum class Read {
        event,    // `event` holds the next event
        dropped,  // events were lost: `event` is the SYN_DROPPED, the made-up states follow
        none,     // nothing waits
        gone,     // the device went away
    };
    virtual ~EvdevKeyboard() = default;
    virtual int descriptor() const = 0;
    virtual std::string name() const = 0;
    virtual Read next(EvdevEvent& event) = 0;
    virtual bool anyKeyDown() const = 0;
    virtual bool grab(bool on) = 0;
    virtual void setLed(std::uint16_t led, bool on) = 0;
    virtual bool ledOn(std::uint16_t led) const = 0;
    virtual KeyboardModifiers modifiers() const = 0;
    virtual ScanKeymap& keymap() = 0;
};

class PassOnDevice {
public:
    virtual ~PassOnDevice() = default;
    virtual int descriptor() const = 0;
    virtual void write(const EvdevEvent& event) = 0;
    // The next event the desktop sent the device (its LED requests); false
    // when none waits.
    virtual bool nextRequest(EvdevEvent& request) = 0;
};

}  // namespace kbx::platform
