#pragma once

// Everything the interface library remembers between calls, in one object.
// The library serves one caller at a time; nothing here is guarded.

#include <array>
#include <cstdint>

#include "iface/function_library.h"
#include "kbxi32.h"
#include "iface/message_buffer.h"
#include "iface/protocol/upload.h"
#include "iface/selection.h"
#include "iface/shared_timer.h"
#include "iface/transports/com_route.h"
#include "iface/transports/keyboard_port.h"
#include "iface/transports/serial_port.h"
#include "iface/transports/usb.h"

namespace kbxi {

// The procedures of the shared timer: each stops it.
void timeoutTimerProc(void* window, unsigned message, kbx::platform::TimerId id, std::uint32_t time);
void uploadTimerProc(void* window, unsigned message, kbx::platform::TimerId id, std::uint32_t time);

struct InterfaceState {
    InterfaceState();
    InterfaceState(const InterfaceState&) = delete;
    InterfaceState& operator=(const InterfaceState&) = delete;

    Selection selection;          // the four keyboard-port flags and "chosen"
    bool serialSelected = false;  // a "COM" string has the serial port open
    bool checkRequested = false;  // "CHECK" in the current interface string
    MessageBuffer message;        // the current call's buffer; none between calls
    SharedTimer timer;            // shared by every wait
    KbxiProgress downloadProgress = nullptr;
    KbxiProgress uploadProgress = nullptr;
    SerialPort serialPort;
    UploadImage upload;           // 9000 bytes and the last block reading
    CaptureReport capture;        // set by the capture callback
    FunctionLibrary functionLibrary{capture, timer};
    UsbLibrary usb;
    KeyboardChannelAccess keyboardChannel;  // the keyboard port's facilities
    DirectPort directPort{keyboardChannel};
    KeyboardDevice keyboardDevice{keyboardChannel, timer, timeoutTimerProc};
    Driver driver{keyboardChannel};
    ComRoute serialRoute{serialPort, message};

    // The transport behind every route; tests may put their own in.
    std::array<ByteTransport*, kRouteCount> routes{};
    ByteTransport& transport(Route route) { return *routes[std::size_t(route)]; }
};

// The process-wide instance.
InterfaceState& state();
// Starts again from a fresh state (closing what the old one held).
void resetStateForTests();

}  // namespace kbxi
