#pragma once

// The keyboard port, reached in one of three ways: the keyboard controller's
// ports directly, the keyboard device's control requests, or the outside
// driver device, one request per byte. All three reach their facility
// through the keyboard channel.

#include "iface/transports/direct_port.h"
#include "iface/transports/driver.h"
#include "iface/transports/keyboard_device.h"
#include "iface/transports/keyboard_port_result.h"
