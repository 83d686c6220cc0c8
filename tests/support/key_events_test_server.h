#pragma once

// A stand-in for the simulated keyboard's key-event side, for tests: a
// SEQPACKET socket in a temporary folder whose helper thread accepts one
// connection and answers its key subscription; the test then types key
// events on that connection and reads back what was passed on.

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/channel_protocol.h"
#include "platform/unique_fd.h"
#include "tests/support/files.h"

namespace kbx::platform::testing {

class KeyEventServer {
public:
    static constexpr int kAcceptPatienceMs = 3000;

    // `answer` is the reply byte to the subscription (0 accepts it).
    explicit KeyEventServer(std::uint8_t answer = 0) : path_((folder_ / "keyboard.sock").string()) {
        listener_ = UniqueFd(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
        if (::bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_.get(), 1) != 0)
            listener_.reset();
        helper_ = std::thread([this, answer] { acceptAndAnswer(answer); });
    }
    ~KeyEventServer() { finishHelper(); }
    KeyEventServer(const KeyEventServer&) = delete;
    KeyEventServer& operator=(const KeyEventServer&) = delete;

    const std::string& path() const { return path_; }
    std::string variableValue() const { return "sim:" + path_; }

    // After the source has opened: whether it subscribed (the first packet
    // of the connection).
    bool subscribed() {
        finishHelper();
        return subscribed_;
    }

    void type(std::uint32_t keyData) {
        finishHelper();
        const channel::Packet packet = channel::PacketWriter(channel::Kind::keyEvent).u32(keyData).take();
        ::send(connection_.get(), packet.data(), packet.size(), MSG_NOSIGNAL);
    }

    // The key data of every keyPassedOn packet that has arrived.
    std::vector<std::uint32_t> passedOn() {
        finishHelper();
        std::vector<std::uint32_t> keys;
        std::array<std::uint8_t, channel::kMaxPacket> packet{};
        for (;;) {
            const ssize_t length = ::recv(connection_.get(), packet.data(), packet.size(), MSG_DONTWAIT);
            if (length <= 0) return keys;
            channel::PacketReader reader(std::span<const std::uint8_t>(packet.data(), std::size_t(length)));
            if (reader.kind() != channel::Kind::keyPassedOn) continue;
            if (auto key = reader.u32()) keys.push_back(*key);
        }
    }

    void hangUp() {
        finishHelper();
        connection_.reset();
    }

private:
    void acceptAndAnswer(std::uint8_t answer) {
        if (!listener_.isOpen()) return;
        pollfd ready{listener_.get(), POLLIN, 0};
        if (::poll(&ready, 1, kAcceptPatienceMs) != 1) return;
        connection_ = UniqueFd(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
        std::array<std::uint8_t, channel::kMaxPacket> packet{};
        const ssize_t length = ::recv(connection_.get(), packet.data(), packet.size(), 0);
        subscribed_ = length == 1 && packet[0] == std::uint8_t(channel::Kind::subscribeKeys);
        const channel::Packet reply = channel::PacketWriter(channel::Kind::reply).u8(answer).take();
        ::send(connection_.get(), reply.data(), reply.size(), MSG_NOSIGNAL);
    }

    void finishHelper() {
        if (helper_.joinable()) helper_.join();
    }

    kbxtest::TempDir folder_;
    std::string path_;
    UniqueFd listener_;
    UniqueFd connection_;
    bool subscribed_ = false;
    std::thread helper_;
};

}  // namespace kbx::platform::testing
