#include "platform/channel/channel_keyboard.h"

#include <algorithm>

namespace kbx::platform {
namespace {

using channel::Kind;
using channel::PacketReader;
using channel::PacketWriter;

constexpr std::uint8_t kSucceeded = 1;
// The reply of a device request: the success byte, then the output.
constexpr std::size_t kDeviceReplyHeader = 2;  // kind and success byte

}  // namespace

std::optional<std::uint8_t> SimulatedKeyboardChannel::readPort(std::uint16_t port) {
    const auto reply = connection_->request(PacketWriter(Kind::portRead).u16(port).take());
    if (!reply) return std::nullopt;
    return PacketReader(*reply).u8();
}

bool SimulatedKeyboardChannel::writePort(std::uint16_t port, std::uint8_t value) {
    const auto reply = connection_->request(PacketWriter(Kind::portWrite).u16(port).u8(value).take());
    return reply && PacketReader(*reply).u8().has_value();
}

std::optional<std::vector<std::uint8_t>> SimulatedKeyboardChannel::deviceControl(std::uint32_t code,
                                                                                std::span<const std::uint8_t> input,
                                                                                std::size_t outputSize) {
    // Neither the output nor the request may outgrow a packet.
    if (outputSize + kDeviceReplyHeader > channel::kMaxPacket) return std::nullopt;
    const auto reply = connection_->request(
        PacketWriter(Kind::deviceControl).u32(code).u32(std::uint32_t(outputSize)).bytes(input).take());
    if (!reply) return std::nullopt;
    PacketReader reader(*reply);
    const std::optional<std::uint8_t> ok = reader.u8();
    if (!ok) return std::nullopt;
    // A request the device refused leaves the output as it was preset: zeros.
    std::vector<std::uint8_t> output(outputSize, 0);
    if (*ok == kSucceeded) {
        const std::span<const std::uint8_t> given = reader.rest();
        std::copy_n(given.begin(), std::min(given.size(), outputSize), output.begin());
    }
    return output;
}

bool SimulatedKeyboardChannel::driverRequest(std::uint32_t code, std::span<const std::uint8_t> input) {
    const auto reply = connection_->request(PacketWriter(Kind::driverRequest).u32(code).bytes(input).take());
    if (!reply) return false;
    return PacketReader(*reply).u8() == kSucceeded;
}

}  // namespace kbx::platform
