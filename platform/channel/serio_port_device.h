#pragma once

// The Linux raw PS/2 port (serio_raw) as the libraries of one process share
// it, kept by libkbxplatform.so and reached through its kbx_platform_serio_*
// functions (serio_port.h). The driver keeps one queue of received bytes for all readers of the
// port, so every reader in the process reads through one SerioPortDevice: a byte
// request takes the keyboard's answer, and every other byte that arrives
// meanwhile (key presses, the keyboard's replies) is kept for the key event
// source, which is woken through `wakeDescriptor`.

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/unique_fd.h"

namespace kbx::platform {

class SerioPortDevice {
public:
    // The process's port at `path`, opened when no one has it open; null with
    // `error` (the path and the system's reason) when it cannot be opened.
    static std::shared_ptr<SerioPortDevice> open(const std::string& path, std::string& error);

    // Over a descriptor of its own (tests); null when no wake descriptor can be made.
    static std::shared_ptr<SerioPortDevice> over(UniqueFd port);

    SerioPortDevice(UniqueFd port, UniqueFd wake) : port_(std::move(port)), wake_(std::move(wake)) {}

    int descriptor() const { return port_.get(); }
    int wakeDescriptor() const { return wake_.get(); }

    // Sends `byte` and waits for the keyboard's answer: true for the
    // acknowledgement 0xFA, false for 0xFE, a write error or no answer in
    // `timeout`. Without a reader, bytes that came before are stale and
    // dropped; with one, they are kept for it.
    bool request(std::uint8_t byte, std::chrono::milliseconds timeout);

    // A key event source reads the port's bytes from now on (or no longer).
    void setReader(bool reading);
    // Up to `capacity` bytes: the bytes kept during requests, then those
    // waiting in the port; what does not fit stays for the next take.
    std::vector<std::uint8_t> take(std::size_t capacity);
    // Whether the port went away (its driver was unbound): nothing more comes.
    bool gone();

private:
    void keep(std::uint8_t byte);
    void readWaiting(std::vector<std::uint8_t>& into);

    std::mutex mutex_;
    UniqueFd port_;
    UniqueFd wake_;  // readable while kept bytes wait
    std::deque<std::uint8_t> kept_;
    std::vector<std::uint8_t> taken_;  // taken from the port, not yet handed out
    bool reading_ = false;
    bool gone_ = false;
};

}  // namespace kbx::platform
