#pragma once

// The evdev key source's devices on a real machine, through libevdev: the
// keyboard's input device, read with libevdev's resynchronisation after lost
// events, and the pass-through device, a uinput copy of the keyboard.

#include <memory>
#include <string>

#include "platform/key_events/evdev_device.h"

namespace kbx::platform {

struct LibevdevDevices {
    std::unique_ptr<EvdevKeyboard> keyboard;  // both null on failure
    std::unique_ptr<PassOnDevice> passOn;
    std::string error;  // the device and the system's reason
};

LibevdevDevices openLibevdevDevices(const std::string& devicePath);

// The pass-through keyboard of the raw PS/2 port: every key a PC keyboard
// has. Null with `error` set on failure.
std::unique_ptr<PassOnDevice> createKeyboardPortPassOn(std::string& error);

}  // namespace kbx::platform
