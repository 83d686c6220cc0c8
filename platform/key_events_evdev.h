#pragma once

// Key events from a Linux input device: the device is grabbed while the
// source is open, so that no other reader sees its keys, and the events the
// handler lets through are re-injected through a uinput device of our own.

#include <string>

#include "platform/key_events.h"

namespace kbx::platform {

OpenedKeyEventSource openEvdevKeyEvents(const std::string& devicePath, KeyEventHandler handler);

}  // namespace kbx::platform
