#pragma once

// The keyboard channel: the firmware behind a Unix SOCK_SEQPACKET socket
// (wire format in platform/channel_protocol.h), serving the keyboard
// controller's ports, the keyboard device, the driver device and the USB link
// to any number of clients at once. A connection sends requests, each
// answered by one reply, until it subscribes to key events; from then on it
// receives what the keyboard types (read replies, module input) and sends
// back the events that were passed on to the desktop.
//
// Module input waits until at least one connection has subscribed; reply
// texts are typed at once, to whoever listens then. post() and the readers
// below may be called from any thread; everything else runs on the serving
// thread.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <span>
#include <vector>

#include "kbxsim/counters.h"
#include "kbxsim/key_typing.h"
#include "platform/channel_protocol.h"
#include "tools/kbxsim/transports/channel.h"
#include "tools/kbxsim/transports/firmware_feed.h"
#include "tools/kbxsim/transports/keyboard_controller.h"
#include "tools/kbxsim/transports/keyboard_device.h"
#include "tools/kbxsim/transports/served_path.h"
#include "tools/kbxsim/transports/unique_descriptor.h"

namespace kbxsim {

struct KeyboardChannelOptions {
    std::ostream* log = nullptr;  // one line per request, when given
    // Called on the serving thread for every event passed on to the desktop.
    std::function<void(std::uint32_t keyData)> onDesktopInput;
    // Called on the serving thread when the first connection subscribes.
    std::function<void()> onFirstSubscriber;
};

class KeyboardSocketChannel final : public Channel {
public:
    static constexpr std::size_t kMostQueuedPackets = 65536;  // per connection
    static constexpr std::size_t kMostDesktopEvents = 65536;

    // Listens at `path`: a socket left there by a simulator that ended is
    // replaced; one where a simulator still listens, or any other file, is
    // not. Throws std::runtime_error when it cannot. At the end the socket is
    // removed if it is still the one made here.
    KeyboardSocketChannel(std::filesystem::path path, SharedFirmware& firmware, KeyboardChannelOptions options);
    ~KeyboardSocketChannel() override;
    KeyboardSocketChannel(const KeyboardSocketChannel&) = delete;
    KeyboardSocketChannel& operator=(const KeyboardSocketChannel&) = delete;

    const std::filesystem::path& path() const { return path_; }

    pollfd watch(Clock::time_point now) override;
    std::optional<Clock::time_point> wakeTime(Clock::time_point) const override { return std::nullopt; }
    void service(short events, Clock::time_point now) override;

    // Module input to type on the event connections (held until one exists).
    void post(KeyEvents events);

    std::vector<std::uint32_t> desktopInput() const;
    KeyboardChannelCounters counters() const;

    // The facilities, for the serving thread (and tests that serve by hand).
    const KeyboardController& controller() const { return controller_; }
    const KeyboardDevice& device() const { return device_; }

private:
    struct Connection {
        UniqueDescriptor socket;
        bool subscribed = false;
        bool watchingOutput = false;
        std::deque<kbx::platform::channel::Packet> output;
    };

    void accept();
    void drainPosted();
    void readFrom(Connection& connection);
    bool handle(Connection& connection, std::span<const std::uint8_t> packet);
    std::optional<kbx::platform::channel::Packet> answer(std::span<const std::uint8_t> packet);
    void subscribe(Connection& connection);
    void typeEvents(const KeyEvents& events);
    void send(Connection& connection, kbx::platform::channel::Packet packet);
    void flush(Connection& connection);
    void updateWatch(Connection& connection);
    void close(Connection& connection);
    void removeClosed();
    bool anySubscriber() const;

    std::filesystem::path path_;
    KeyboardChannelOptions options_;
    FirmwareFeed feed_;
    KeyboardController controller_;
    KeyboardDevice device_;
    UsbLink usb_;
    UniqueDescriptor listener_;
    std::optional<FileIdentity> socketFile_;  // what the listener made at path_
    UniqueDescriptor poller_;  // epoll over the listener, the wake-up and every connection
    UniqueDescriptor wakeUp_;  // eventfd: posted input waits
    std::vector<std::unique_ptr<Connection>> connections_;
    bool firstSubscriberSeen_ = false;

    mutable std::mutex mutex_;  // guards what follows
    std::deque<KeyEvents> posted_;
    std::vector<std::uint32_t> desktop_;
    KeyboardChannelCounters counters_;
};

}  // namespace kbxsim
