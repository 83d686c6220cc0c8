#pragma once

// A tiny keyboard-channel server for the tests of the channel's clients: it
// listens on a SEQPACKET socket in a temporary folder, on a thread of its
// own, and answers each request packet with what the test's handler returns
// (nothing: no answer at all). Connections it is told to drop are closed.

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/channel_protocol.h"
#include "platform/unique_fd.h"

namespace kbx::platform::test {

class ChannelTestServer {
public:
    using Packet = channel::Packet;
    // The reply to a request; nothing leaves it unanswered. `hangUp` set by
    // the handler closes the connection after the reply.
    using Handler = std::function<std::optional<Packet>(const Packet& request, bool& hangUp)>;

    explicit ChannelTestServer(Handler handler) : handler_(std::move(handler)) {
        char folder[] = "/tmp/kbx-channel-XXXXXX";
        if (::mkdtemp(folder) == nullptr) throw std::runtime_error("no temporary folder");
        folder_ = folder;
        path_ = (folder_ / "keyboard").string();
        listener_ = UniqueFd(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
        if (::bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_.get(), 8) != 0)
            throw std::runtime_error("cannot listen at " + path_);
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) throw std::runtime_error("no pipe");
        stopRead_ = UniqueFd(pipeEnds[0]);
        stopWrite_ = UniqueFd(pipeEnds[1]);
        thread_ = std::thread([this] { serve(); });
    }

    ~ChannelTestServer() {
        const char stop = 0;
        (void)!::write(stopWrite_.get(), &stop, 1);
        thread_.join();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    ChannelTestServer(const ChannelTestServer&) = delete;
    ChannelTestServer& operator=(const ChannelTestServer&) = delete;

    const std::string& path() const { return path_; }
    std::string variable() const { return "sim:" + path_; }

    // Every request received so far.
    std::vector<Packet> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    int connections() const { return accepted_.load(); }

    // A packet sent on every connection as it is (a stray key event, say).
    void sendToAll(const Packet& packet) {
        std::lock_guard lock(mutex_);
        for (const UniqueFd& client : clients_) ::send(client.get(), packet.data(), packet.size(), MSG_NOSIGNAL);
    }

private:
    void serve() {
        for (;;) {
            std::vector<pollfd> watched{{stopRead_.get(), POLLIN, 0}, {listener_.get(), POLLIN, 0}};
            {
                std::lock_guard lock(mutex_);
                for (const UniqueFd& client : clients_) watched.push_back({client.get(), POLLIN, 0});
            }
            if (::poll(watched.data(), watched.size(), -1) < 0) continue;
            if (watched[0].revents) return;
            if (watched[1].revents & POLLIN) {
                UniqueFd client(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
                if (client.isOpen()) {
                    ++accepted_;
                    std::lock_guard lock(mutex_);
                    clients_.push_back(std::move(client));
                }
            }
            for (std::size_t i = 2; i < watched.size(); ++i) {
                if (watched[i].revents) serveOne(watched[i].fd);
            }
        }
    }

    void serveOne(int fd) {
        std::vector<std::uint8_t> buffer(channel::kMaxPacket);
        const ssize_t length = ::recv(fd, buffer.data(), buffer.size(), 0);
        bool hangUp = length <= 0;
        if (!hangUp) {
            const Packet request(buffer.begin(), buffer.begin() + length);
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(request);
            }
            const std::optional<Packet> reply = handler_(request, hangUp);
            if (reply) ::send(fd, reply->data(), reply->size(), MSG_NOSIGNAL);
        }
        if (hangUp) {
            std::lock_guard lock(mutex_);
            std::erase_if(clients_, [fd](const UniqueFd& client) { return client.get() == fd; });
        }
    }

    Handler handler_;
    std::filesystem::path folder_;
    std::string path_;
    UniqueFd listener_;
    UniqueFd stopRead_;
    UniqueFd stopWrite_;
    mutable std::mutex mutex_;
    std::vector<UniqueFd> clients_;
    std::vector<Packet> requests_;
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

// A reply packet with these payload bytes.
inline channel::Packet replyOf(std::initializer_list<std::uint8_t> payload) {
    channel::Packet packet{std::uint8_t(channel::Kind::reply)};
    packet.insert(packet.end(), payload.begin(), payload.end());
    return packet;
}

}  // namespace kbx::platform::test
