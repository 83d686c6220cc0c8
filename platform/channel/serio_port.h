#pragma once

// The Linux raw PS/2 port (serio_raw) as the libraries of one process share
// it. The driver keeps one queue of received bytes for all readers of the
// port, so every reader in the process reads through the one port that
// libkbxplatform.so keeps per path: a byte request takes the keyboard's
// answer, and every other byte that arrives meanwhile (key presses, the
// keyboard's replies) is kept for the key event source, which is woken
// through `wakeDescriptor`.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kbxplatform.h"
#include "platform/unique_fd.h"

namespace kbx::platform {

class SerioPort {
public:
    // The process's port at `path`, opened when no one has it open; null with
    // `error` (the path and the system's reason) when it cannot be opened.
    static std::shared_ptr<SerioPort> open(const std::string& path, std::string& error);

    // Over a descriptor of its own (tests); null when no wake descriptor can be made.
    static std::shared_ptr<SerioPort> over(UniqueFd port);

    explicit SerioPort(KbxPlatformSerioPort* handle) : handle_(handle) {}

    int descriptor() const { return kbx_platform_serio_descriptor(handle_.get()); }
    int wakeDescriptor() const { return kbx_platform_serio_wake_descriptor(handle_.get()); }

    // Sends `byte` and waits for the keyboard's answer: true for the
    // acknowledgement 0xFA, false for 0xFE, a write error or no answer in
    // `timeout`. Without a reader, bytes that came before are stale and
    // dropped; with one, they are kept for it.
    bool request(std::uint8_t byte, std::chrono::milliseconds timeout);

    // A key event source reads the port's bytes from now on (or no longer).
    void setReader(bool reading);
    // The bytes kept during requests, then those waiting in the port.
    std::vector<std::uint8_t> take();
    // Whether the port went away (its driver was unbound): nothing more comes.
    bool gone();

private:
    struct Release {
        void operator()(KbxPlatformSerioPort* handle) const { kbx_platform_serio_release(handle); }
    };
    std::unique_ptr<KbxPlatformSerioPort, Release> handle_;
};

}  // namespace kbx::platform
