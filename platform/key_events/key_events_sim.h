#pragma once

// Key events from the simulated keyboard over its Unix socket: the
// connection subscribes to key events, each keyEvent packet goes to the
// handler, and what the handler does not swallow goes back as keyPassedOn.

#include <string>

#include "platform/key_events.h"

namespace kbx::platform {

OpenedKeyEventSource openSimulatedKeyEvents(const std::string& socketPath, KeyEventHandler handler);

}  // namespace kbx::platform
