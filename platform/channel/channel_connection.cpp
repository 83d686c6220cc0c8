#include "platform/channel_connection.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>

namespace kbx::platform {
namespace {

using Clock = std::chrono::steady_clock;

// Packets of other kinds than a reply that may arrive between requests: the
// keyboard's key events, which this connection does not ask for but passes
// over should they come.
constexpr channel::Kind kIgnoredKind = channel::Kind::keyEvent;

// A socket path fills sun_path with room for its terminating NUL.
constexpr std::size_t kLongestSocketPath = sizeof(sockaddr_un::sun_path) - 1;
constexpr char kNoPath[] = "no socket path given";
constexpr char kNotASocket[] = "not a socket";

std::optional<sockaddr_un> socketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() > kLongestSocketPath) return std::nullopt;
    std::memcpy(address.sun_path, path.data(), path.size());
    return address;
}

// Why connecting to `path` failed with `error`: a path that exists but is
// no socket is refused like a socket nobody listens on, so it is named.
std::string connectFailure(const std::string& path, int error) {
    struct stat status {};
    if (error == ECONNREFUSED && ::stat(path.c_str(), &status) == 0 && !S_ISSOCK(status.st_mode))
        return path + ": " + kNotASocket;
    return path + ": " + std::strerror(error);
}

}  // namespace

UniqueFd connectKeyboardSocket(const std::string& path, std::string& why) {
    if (path.empty()) {
        why = kNoPath;
        return {};
    }
    const std::optional<sockaddr_un> address = socketAddress(path);
    if (!address) {
        why = path + ": longer than a socket path may be (" + std::to_string(kLongestSocketPath) + " bytes)";
        return {};
    }
    UniqueFd socket(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0));
    if (!socket.isOpen()) {
        why = path + ": " + std::strerror(errno);
        return {};
    }
    int result;
    do {
        result = ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        why = connectFailure(path, errno);
        return {};
    }
    return socket;
}

std::unique_ptr<ChannelConnection> ChannelConnection::connect(const std::string& path, std::string& why,
                                                              std::chrono::milliseconds replyTimeout) {
    UniqueFd socket = connectKeyboardSocket(path, why);
    if (!socket.isOpen()) return nullptr;
    return std::make_unique<ChannelConnection>(std::move(socket), replyTimeout);
}

ChannelConnection::ChannelConnection(UniqueFd socket, std::chrono::milliseconds replyTimeout)
    : socket_(std::move(socket)), replyTimeout_(replyTimeout) {}

std::optional<channel::Packet> ChannelConnection::request(const channel::Packet& request) {
    if (broken() || request.empty() || request.size() > channel::kMaxPacket) return std::nullopt;
    ssize_t sent;
    do {
        sent = ::send(socket_.get(), request.data(), request.size(), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent != ssize_t(request.size())) {
        breakConnection();
        return std::nullopt;
    }
    return awaitReply();
}

std::optional<channel::Packet> ChannelConnection::awaitReply() {
    const Clock::time_point deadline = Clock::now() + replyTimeout_;
    std::array<std::uint8_t, channel::kMaxPacket> buffer{};
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd ready{socket_.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(std::max(left.count(), std::chrono::milliseconds::rep(0))));
        if (polled < 0 && errno == EINTR) continue;
        // A reply that comes later would be taken for the next request's:
        // after a time-out the connection is of no further use.
        if (polled <= 0) break;
        // MSG_TRUNC makes recv tell the packet's real length.
        ssize_t length;
        do {
            length = ::recv(socket_.get(), buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT);
        } while (length < 0 && errno == EINTR);
        if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (length <= 0 || std::size_t(length) > buffer.size()) break;
        const channel::Packet packet(buffer.begin(), buffer.begin() + length);
        const std::optional<channel::Kind> kind = channel::PacketReader(packet).kind();
        if (kind == channel::Kind::reply) return packet;
        if (kind != kIgnoredKind) break;
    }
    breakConnection();
    return std::nullopt;
}

}  // namespace kbx::platform
