#include "tools/kbxsim/tests/channel_client.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace kbxsim::test {
namespace {

namespace channel = kbx::platform::channel;
using channel::Kind;
using channel::PacketReader;
using channel::PacketWriter;

}  // namespace

ChannelClient::ChannelClient(const std::filesystem::path& path)
    : socket_(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    std::copy(text.begin(), text.end(), address.sun_path);
    const auto* name = reinterpret_cast<const sockaddr*>(&address);
    if (!socket_.valid() || ::connect(socket_.get(), name, sizeof address) != 0) {
        throw std::runtime_error("cannot connect to " + text);
    }
}

void ChannelClient::sendOnly(const Packet& packet) {
    if (::send(socket_.get(), packet.data(), packet.size(), MSG_NOSIGNAL) < 0) throw std::runtime_error("send failed");
}

std::optional<Packet> ChannelClient::receive(std::chrono::milliseconds wait) {
    pollfd watched{socket_.get(), POLLIN, 0};
    if (::poll(&watched, 1, static_cast<int>(wait.count())) <= 0) return std::nullopt;
    std::array<std::uint8_t, channel::kMaxPacket> buffer{};
    const ssize_t count = ::recv(socket_.get(), buffer.data(), buffer.size(), 0);
    if (count <= 0) return std::nullopt;
    return Packet(buffer.begin(), buffer.begin() + count);
}

std::optional<Packet> ChannelClient::request(const Packet& packet, std::chrono::milliseconds wait) {
    sendOnly(packet);
    for (;;) {
        auto answer = receive(wait);
        if (!answer) return std::nullopt;
        PacketReader reader(*answer);
        if (reader.kind() == Kind::keyEvent) {
            if (const auto keyData = reader.u32()) events_.push_back(*keyData);
            continue;
        }
        if (reader.kind() != Kind::reply) return std::nullopt;
        return Packet(answer->begin() + 1, answer->end());
    }
}

std::uint8_t ChannelClient::readPort(std::uint16_t port) {
    const auto answer = request(portReadRequest(port));
    if (!answer || answer->size() != 1) throw std::runtime_error("no answer to a port read");
    return answer->front();
}

void ChannelClient::writePort(std::uint16_t port, std::uint8_t value) {
    const auto answer = request(portWriteRequest(port, value));
    if (!answer || answer->size() != 1) throw std::runtime_error("no answer to a port write");
}

Packet ChannelClient::deviceControl(std::uint32_t code, std::span<const std::uint8_t> input, std::uint32_t outputSize) {
    const auto answer = request(PacketWriter(Kind::deviceControl).u32(code).u32(outputSize).bytes(input).take());
    if (!answer) throw std::runtime_error("no answer to a device control");
    return *answer;
}

bool ChannelClient::driverRequest(std::uint32_t code, std::span<const std::uint8_t> input) {
    const auto answer = request(PacketWriter(Kind::driverRequest).u32(code).bytes(input).take());
    if (!answer || answer->size() != 1) throw std::runtime_error("no answer to a driver request");
    return answer->front() == 1;
}

std::uint8_t ChannelClient::usbSend(std::uint8_t byte) {
    const auto answer = request(PacketWriter(Kind::usbSend).u8(byte).take());
    if (!answer || answer->size() != 1) throw std::runtime_error("no answer to a USB send");
    return answer->front();
}

std::uint8_t ChannelClient::usbCheck() {
    const auto answer = request(PacketWriter(Kind::usbCheck).take());
    if (!answer || answer->size() != 1) throw std::runtime_error("no answer to a USB check");
    return answer->front();
}

void ChannelClient::subscribe() {
    const auto answer = request(PacketWriter(Kind::subscribeKeys).take());
    if (!answer) throw std::runtime_error("no answer to the subscription");
}

std::vector<std::uint32_t> ChannelClient::events(std::size_t count, std::chrono::milliseconds wait) {
    const auto end = std::chrono::steady_clock::now() + wait;
    while (events_.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        const auto packet = receive(left);
        if (!packet) break;
        PacketReader reader(*packet);
        if (reader.kind() != Kind::keyEvent) continue;
        if (const auto keyData = reader.u32()) events_.push_back(*keyData);
    }
    return std::exchange(events_, {});
}

void ChannelClient::passOn(std::uint32_t keyData) { sendOnly(PacketWriter(Kind::keyPassedOn).u32(keyData).take()); }

bool ChannelClient::closedByKeyboard() {
    pollfd watched{socket_.get(), POLLIN, 0};
    if (::poll(&watched, 1, 2000) <= 0) return false;
    std::array<std::uint8_t, channel::kMaxPacket> buffer{};
    return ::recv(socket_.get(), buffer.data(), buffer.size(), 0) == 0;
}

Packet portReadRequest(std::uint16_t port) { return PacketWriter(Kind::portRead).u16(port).take(); }

Packet portWriteRequest(std::uint16_t port, std::uint8_t value) {
    return PacketWriter(Kind::portWrite).u16(port).u8(value).take();
}

std::vector<std::uint8_t> madeCodes(const std::vector<std::uint32_t>& events) {
    std::vector<std::uint8_t> codes;
    for (const std::uint32_t keyData : events) {
        if ((keyData & channel::kKeyUpBit) == 0) codes.push_back(channel::scanCodeOf(keyData));
    }
    return codes;
}

}  // namespace kbxsim::test
