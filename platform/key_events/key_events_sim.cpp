#include "platform/key_events/key_events_sim.h"

#include <poll.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/channel_connection.h"
#include "platform/channel_protocol.h"
#include "platform/event_loop.h"
#include "platform/unique_fd.h"

namespace kbx::platform {
namespace {

// How long the keyboard may take to confirm the subscription.
constexpr int kSubscribeReplyMs = 2000;

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

bool sendPacket(int fd, const channel::Packet& packet) {
    return ::send(fd, packet.data(), packet.size(), MSG_NOSIGNAL) == ssize_t(packet.size());
}

class SimulatedKeyEvents final : public KeyEventSource {
public:
    SimulatedKeyEvents(UniqueFd socket, KeyEventHandler handler)
        : socket_(std::move(socket)), handler_(std::move(handler)) {}
    ~SimulatedKeyEvents() override { stopWatching(); }
    SimulatedKeyEvents(const SimulatedKeyEvents&) = delete;
    SimulatedKeyEvents& operator=(const SimulatedKeyEvents&) = delete;

    bool startWatching() {
        watch_ = watchDescriptor(socket_.get(), [this] { readPackets(); });
        return watch_ != 0;
    }

private:
    void stopWatching() {
        if (watch_ != 0) unwatchDescriptor(watch_);
        watch_ = 0;
    }

    // Every packet that has arrived; a keyboard that went away is no longer
    // watched (its descriptor would stay readable for ever).
    void readPackets() {
        std::array<std::uint8_t, channel::kMaxPacket> packet{};
        while (watch_ != 0) {
            const ssize_t length = ::recv(socket_.get(), packet.data(), packet.size(), MSG_DONTWAIT);
            if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
            if (length <= 0) {
                stopWatching();
                return;
            }
            handlePacket(std::span<const std::uint8_t>(packet.data(), std::size_t(length)));
        }
    }

    void handlePacket(std::span<const std::uint8_t> bytes) {
        channel::PacketReader reader(bytes);
        if (reader.kind() != channel::Kind::keyEvent) return;  // nothing else is expected now
        const std::optional<std::uint32_t> keyData = reader.u32();
        if (!keyData) return;
        if (handler_(*keyData)) return;
        sendPacket(socket_.get(), channel::PacketWriter(channel::Kind::keyPassedOn).u32(*keyData).take());
    }

    UniqueFd socket_;
    KeyEventHandler handler_;
    WatchId watch_ = 0;
};

}  // namespace

OpenedKeyEventSource openSimulatedKeyEvents(const std::string& socketPath, KeyEventHandler handler) {
    std::string why;
    UniqueFd socket = connectKeyboardSocket(socketPath, why);
    if (!socket.isOpen()) return openingFailed(why);
    if (!sendPacket(socket.get(), channel::PacketWriter(channel::Kind::subscribeKeys).take()))
        return openingFailed(systemError(socketPath + ": subscribing to key events"));

    pollfd ready{socket.get(), POLLIN, 0};
    if (::poll(&ready, 1, kSubscribeReplyMs) != 1) return openingFailed(socketPath + ": no answer to the key subscription");
    std::array<std::uint8_t, channel::kMaxPacket> reply{};
    const ssize_t length = ::recv(socket.get(), reply.data(), reply.size(), 0);
    if (length <= 0) return openingFailed(socketPath + ": the keyboard closed the connection");
    channel::PacketReader reader(std::span<const std::uint8_t>(reply.data(), std::size_t(length)));
    if (reader.kind() != channel::Kind::reply || reader.u8() != std::uint8_t{0})
        return openingFailed(socketPath + ": the keyboard refused the key subscription");

    auto source = std::make_unique<SimulatedKeyEvents>(std::move(socket), std::move(handler));
    if (!source->startWatching()) return openingFailed(socketPath + ": cannot watch the connection");
    return openedSource(std::move(source));
}

}  // namespace kbx::platform
