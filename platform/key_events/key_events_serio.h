#pragma once

// Key events from the Linux raw PS/2 port. While serio_raw holds the port,
// the kernel's keyboard driver does not: this source then reads every byte
// the keyboard sends (key presses, frame markers and module data, the
// replies of uploads and queries), hands each key to the handler, and
// passes what the handler lets through on to the desktop through a uinput
// keyboard of its own, so that the keyboard stays usable. The port is
// shared with the keyboard channel's byte requests of the same process.

#include <memory>
#include <string>

#include "platform/key_events/evdev_device.h"
#include "platform/event_loop.h"
#include "platform/channel/serio_port.h"
#include "platform/key_events/set_one_bytes.h"

namespace kbx::platform {

class SerioKeyEvents final : public KeyEventSource {
public:
    // Without a pass-through device (no uinput) the keys let through are dropped.
    SerioKeyEvents(std::shared_ptr<SerioPort> port, std::unique_ptr<PassOnDevice> passOn, KeyEventHandler handler);
    ~SerioKeyEvents() override;
    SerioKeyEvents(const SerioKeyEvents&) = delete;
    SerioKeyEvents& operator=(const SerioKeyEvents&) = delete;

    // Watches the port on the calling thread's loop: false when it cannot.
    bool startWatching();
    // What the watches run: every byte that has arrived.
    void readPort();

private:
    void handle(std::uint8_t byte);
    void stopWatching();

    std::shared_ptr<SerioPort> port_;
    std::unique_ptr<PassOnDevice> passOn_;
    KeyEventHandler handler_;
    SetOneByteReader reader_;
    WatchId portWatch_ = 0;
    WatchId wakeWatch_ = 0;
};

OpenedKeyEventSource openSerioKeyEvents(const std::string& portPath, KeyEventHandler handler);

}  // namespace kbx::platform
