#include "tools/kbxsim/transports/keyboard_socket.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "kbxsim/hex_text.h"

namespace kbxsim {
namespace {

namespace channel = kbx::platform::channel;
using channel::Kind;
using channel::Packet;
using channel::PacketReader;
using channel::PacketWriter;

constexpr int kListenBacklog = 16;
constexpr int kMostEventsAtOnce = 32;
constexpr std::uint8_t kDone = 0;
// A reply carries the kind and the ok byte before the output bytes.
constexpr std::size_t kReplyOverhead = 2;

struct KindName {
    Kind kind;
    std::string_view name;
};

constexpr std::array kKindNames{
    KindName{Kind::portRead, "port read"},       KindName{Kind::portWrite, "port write"},
    KindName{Kind::deviceControl, "device control"}, KindName{Kind::driverRequest, "driver request"},
    KindName{Kind::usbSend, "usb send"},         KindName{Kind::usbCheck, "usb check"},
    KindName{Kind::usbClose, "usb close"},       KindName{Kind::subscribeKeys, "subscribe keys"},
    KindName{Kind::keyPassedOn, "key passed on"},
};

std::string_view kindName(std::span<const std::uint8_t> packet) {
    const auto kind = PacketReader(packet).kind();
    for (const KindName& entry : kKindNames) {
        if (kind && entry.kind == *kind) return entry.name;
    }
    return "unknown";
}

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) text += ' ' + hexByte(byte);
    return text;
}

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

UniqueDescriptor listenAt(const std::filesystem::path& path) {
    const std::string text = path.string();
    const std::optional<sockaddr_un> address = socketAddressOf(path);
    if (!address) {
        throw std::runtime_error(text + ": not a usable socket path (at most " +
                                 std::to_string(sizeof(sockaddr_un::sun_path) - 1) + " bytes)");
    }
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (!error && std::filesystem::exists(status)) {
        if (!std::filesystem::is_socket(status)) throw std::runtime_error(text + ": exists and is not a socket");
        if (socketAnswers(path)) throw std::runtime_error(text + ": " + kServedByAnother);
        std::filesystem::remove(path, error);
    }
    UniqueDescriptor socket(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid()) fail("cannot make a socket");
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        fail("cannot listen at " + text);
    }
    if (::listen(socket.get(), kListenBacklog) != 0) fail("cannot listen at " + text);
    return socket;
}

void watchDescriptor(int poller, int descriptor, std::uint32_t events, int operation) {
    epoll_event event{};
    event.events = events;
    event.data.fd = descriptor;
    if (::epoll_ctl(poller, operation, descriptor, &event) != 0) fail("cannot watch a descriptor");
}

Packet reply(std::uint8_t value) { return PacketWriter(Kind::reply).u8(value).take(); }

}  // namespace

KeyboardSocketChannel::KeyboardSocketChannel(std::filesystem::path path, SharedFirmware& firmware,
                                             KeyboardChannelOptions options)
    : path_(std::move(path)),
      options_(std::move(options)),
      feed_(firmware, [this](std::string_view text) { typeEvents(typeReplyText(text)); }, options_.log),
      controller_(feed_),
      device_(feed_),
      usb_(feed_),
      listener_(listenAt(path_)),
      socketFile_(identityOf(path_)),
      poller_(::epoll_create1(EPOLL_CLOEXEC)),
      wakeUp_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (!poller_.valid() || !wakeUp_.valid()) fail("cannot make the channel's descriptors");
    watchDescriptor(poller_.get(), listener_.get(), EPOLLIN, EPOLL_CTL_ADD);
    watchDescriptor(poller_.get(), wakeUp_.get(), EPOLLIN, EPOLL_CTL_ADD);
}

KeyboardSocketChannel::~KeyboardSocketChannel() { removeIfStill(path_, socketFile_); }

pollfd KeyboardSocketChannel::watch(Clock::time_point) { return pollfd{poller_.get(), POLLIN, 0}; }

void KeyboardSocketChannel::service(short, Clock::time_point) {
    std::array<epoll_event, kMostEventsAtOnce> ready{};
    const int count = ::epoll_wait(poller_.get(), ready.data(), static_cast<int>(ready.size()), 0);
    for (int i = 0; i < count; ++i) {
        const epoll_event& event = ready[static_cast<std::size_t>(i)];
        if (event.data.fd == listener_.get()) {
            accept();
            continue;
        }
        if (event.data.fd == wakeUp_.get()) {
            std::uint64_t posts = 0;
            while (::read(wakeUp_.get(), &posts, sizeof posts) < 0 && errno == EINTR) {
            }
            continue;
        }
        const auto found = std::find_if(connections_.begin(), connections_.end(),
                                        [&](const auto& c) { return c->socket.get() == event.data.fd; });
        if (found == connections_.end()) continue;
        Connection& connection = **found;
        if ((event.events & EPOLLOUT) != 0) flush(connection);
        if ((event.events & EPOLLIN) != 0 && connection.socket.valid()) readFrom(connection);
        if ((event.events & (EPOLLHUP | EPOLLERR)) != 0 && connection.socket.valid()) close(connection);
    }
    drainPosted();
    removeClosed();
}

void KeyboardSocketChannel::accept() {
    for (;;) {
        UniqueDescriptor socket(::accept4(listener_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.valid()) return;
        watchDescriptor(poller_.get(), socket.get(), EPOLLIN, EPOLL_CTL_ADD);
        auto connection = std::make_unique<Connection>();
        connection->socket = std::move(socket);
        connections_.push_back(std::move(connection));
        const std::scoped_lock lock(mutex_);
        ++counters_.connections;
    }
}

void KeyboardSocketChannel::post(KeyEvents events) {
    {
        const std::scoped_lock lock(mutex_);
        posted_.push_back(std::move(events));
    }
    const std::uint64_t one = 1;
    while (::write(wakeUp_.get(), &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void KeyboardSocketChannel::drainPosted() {
    if (!anySubscriber()) return;
    std::deque<KeyEvents> posted;
    {
        const std::scoped_lock lock(mutex_);
        posted.swap(posted_);
    }
    for (const KeyEvents& events : posted) typeEvents(events);
}

void KeyboardSocketChannel::readFrom(Connection& connection) {
    std::array<std::uint8_t, channel::kMaxPacket + 1> buffer{};
    while (connection.socket.valid()) {
        const ssize_t count = ::recv(connection.socket.get(), buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (count <= 0) return close(connection);
        const auto size = static_cast<std::size_t>(count);
        if (size > channel::kMaxPacket || !handle(connection, std::span(buffer).first(size))) {
            const std::scoped_lock lock(mutex_);
            ++counters_.badRequests;
            close(connection);
        }
    }
}

bool KeyboardSocketChannel::handle(Connection& connection, std::span<const std::uint8_t> packet) {
    PacketReader reader(packet);
    const auto kind = reader.kind();
    if (!kind) return false;
    if (*kind == Kind::keyPassedOn) {
        const auto keyData = reader.u32();
        if (!keyData) return false;
        {
            const std::scoped_lock lock(mutex_);
            // At the limit the older half goes at once.
            if (desktop_.size() >= kMostDesktopEvents) {
                desktop_.erase(desktop_.begin(), desktop_.begin() + kMostDesktopEvents / 2);
            }
            desktop_.push_back(*keyData);
        }
        if (options_.onDesktopInput) options_.onDesktopInput(*keyData);
        return true;
    }
    // An event connection sends nothing but the events it passed on.
    if (connection.subscribed) return true;
    {
        const std::scoped_lock lock(mutex_);
        ++counters_.requests;
    }
    if (*kind == Kind::subscribeKeys) {
        send(connection, reply(kDone));
        subscribe(connection);
        return true;
    }
    auto answered = answer(packet);
    if (!answered) return false;
    if (options_.log != nullptr) {
        *options_.log << "kbxsim: channel " << kindName(packet) << hexBytes(packet.subspan(1)) << " ->"
                      << hexBytes(std::span(*answered).subspan(1)) << '\n';
        options_.log->flush();
    }
    send(connection, std::move(*answered));
    return true;
}

std::optional<Packet> KeyboardSocketChannel::answer(std::span<const std::uint8_t> packet) {
    PacketReader reader(packet);
    switch (*reader.kind()) {
        case Kind::portRead: {
            const auto port = reader.u16();
            if (!port) return std::nullopt;
            return reply(controller_.read(*port));
        }
        case Kind::portWrite: {
            const auto port = reader.u16();
            const auto value = reader.u8();
            if (!port || !value) return std::nullopt;
            controller_.write(*port, *value);
            return reply(kDone);
        }
        case Kind::deviceControl: {
            const auto code = reader.u32();
            const auto outputSize = reader.u32();
            if (!code || !outputSize || *outputSize > channel::kMaxPacket - kReplyOverhead) return std::nullopt;
            const ControlResult result = device_.control(*code, reader.rest(), *outputSize);
            return PacketWriter(Kind::reply).u8(result.ok ? 1 : 0).bytes(result.output).take();
        }
        case Kind::driverRequest: {
            const auto code = reader.u32();
            if (!code) return std::nullopt;
            return reply(driverRequest(feed_, *code, reader.rest()) ? 1 : 0);
        }
        case Kind::usbSend: {
            const auto byte = reader.u8();
            if (!byte) return std::nullopt;
            return reply(usb_.send(*byte));
        }
        case Kind::usbCheck: return reply(usb_.check());
        case Kind::usbClose: {
            usb_.close();
            const std::scoped_lock lock(mutex_);
            ++counters_.usbCloses;
            return reply(kDone);
        }
        default: return std::nullopt;
    }
}

void KeyboardSocketChannel::subscribe(Connection& connection) {
    connection.subscribed = true;
    {
        const std::scoped_lock lock(mutex_);
        ++counters_.subscriptions;
    }
    if (!firstSubscriberSeen_) {
        firstSubscriberSeen_ = true;
        if (options_.onFirstSubscriber) options_.onFirstSubscriber();
    }
    drainPosted();
}

bool KeyboardSocketChannel::anySubscriber() const {
    return std::any_of(connections_.begin(), connections_.end(),
                       [](const auto& c) { return c->subscribed && c->socket.valid(); });
}

void KeyboardSocketChannel::typeEvents(const KeyEvents& events) {
    if (events.empty()) return;
    const bool heard = anySubscriber();
    for (const auto& connection : connections_) {
        if (!connection->subscribed || !connection->socket.valid()) continue;
        for (const std::uint32_t keyData : events) {
            send(*connection, PacketWriter(Kind::keyEvent).u32(keyData).take());
        }
    }
    const std::scoped_lock lock(mutex_);
    (heard ? counters_.eventsTyped : counters_.eventsLost) += events.size();
}

void KeyboardSocketChannel::send(Connection& connection, Packet packet) {
    if (!connection.socket.valid()) return;
    if (connection.output.empty()) {
        for (;;) {
            const ssize_t sent =
                ::send(connection.socket.get(), packet.data(), packet.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
            if (sent >= 0) return;
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) break;
            return close(connection);
        }
    }
    if (connection.output.size() >= kMostQueuedPackets) {
        const std::scoped_lock lock(mutex_);
        ++counters_.eventsLost;
        return;
    }
    connection.output.push_back(std::move(packet));
    updateWatch(connection);
}

void KeyboardSocketChannel::flush(Connection& connection) {
    while (connection.socket.valid() && !connection.output.empty()) {
        const Packet& packet = connection.output.front();
        const ssize_t sent =
            ::send(connection.socket.get(), packet.data(), packet.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) break;
            return close(connection);
        }
        connection.output.pop_front();
    }
    updateWatch(connection);
}

void KeyboardSocketChannel::updateWatch(Connection& connection) {
    if (!connection.socket.valid()) return;
    const bool wanted = !connection.output.empty();
    if (wanted == connection.watchingOutput) return;
    connection.watchingOutput = wanted;
    watchDescriptor(poller_.get(), connection.socket.get(), wanted ? (EPOLLIN | EPOLLOUT) : EPOLLIN, EPOLL_CTL_MOD);
}

void KeyboardSocketChannel::close(Connection& connection) {
    if (!connection.socket.valid()) return;
    ::epoll_ctl(poller_.get(), EPOLL_CTL_DEL, connection.socket.get(), nullptr);
    connection.socket.reset();
    connection.output.clear();
}

void KeyboardSocketChannel::removeClosed() {
    std::erase_if(connections_, [](const auto& c) { return !c->socket.valid(); });
}

std::vector<std::uint32_t> KeyboardSocketChannel::desktopInput() const {
    const std::scoped_lock lock(mutex_);
    return desktop_;
}

KeyboardChannelCounters KeyboardSocketChannel::counters() const {
    const std::scoped_lock lock(mutex_);
    return counters_;
}

}  // namespace kbxsim
