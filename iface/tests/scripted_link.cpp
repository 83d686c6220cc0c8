#include "iface/tests/scripted_link.h"

#include <algorithm>

#include "iface/protocol/frames.h"

namespace kbxi::test {
namespace {

constexpr std::uint8_t kFrameStart = 0xEF;

unsigned digitsValue(const Bytes& bytes, std::size_t from, std::size_t count) {
    unsigned value = 0;
    for (std::size_t i = from; i < from + count && i < bytes.size(); ++i)
        value = value * 16 + unsigned(std::max(hexValue(char(bytes[i])), 0));
    return value;
}

SentFrame readBack(const Bytes& bytes) {
    SentFrame frame;
    frame.command = bytes.size() > 1 ? bytes[1] : 0;
    if (bytes.size() >= 8) {
        frame.address = std::uint16_t(digitsValue(bytes, 2, 4));
        frame.count = digitsValue(bytes, 6, 2);
    }
    for (std::size_t at = 10; at + 1 < bytes.size() && frame.data.size() < frame.count; at += 2)
        frame.data.push_back(std::uint8_t(digitsValue(bytes, at, 2)));
    return frame;
}

}  // namespace

std::vector<SentFrame> ScriptedLink::frames() const {
    std::vector<SentFrame> found;
    Bytes current;
    const auto close = [&] {
        if (!current.empty()) found.push_back(readBack(current));
        current.clear();
    };
    for (std::uint8_t byte : framed) {
        if (byte == kFrameStart) close();
        current.push_back(byte);
    }
    close();
    return found;
}

std::vector<SentFrame> ScriptedLink::writeFrames() const {
    std::vector<SentFrame> all = frames();
    std::erase_if(all, [](const SentFrame& frame) { return frame.command != 0x0F; });
    return all;
}

int ScriptedLink::sendFramed(std::uint8_t byte) {
    const std::size_t number = framed.size();
    framed.push_back(byte);
    return framedAnswer ? framedAnswer(number, byte) : 0;
}

int ScriptedLink::sendRaw(std::uint8_t byte) {
    raw.push_back(byte);
    return rawAnswer ? rawAnswer(byte) : 0;
}

std::string_view ScriptedLink::downloadCheck() {
    ++checks;
    return checkFailure;
}

int ScriptedLink::bindReplies() {
    ++binds;
    return bindResult;
}

int ScriptedLink::readBlock(std::uint16_t address, std::span<std::uint8_t> out) {
    blockAddresses.push_back(address);
    blockLengths.push_back(out.size());
    if (blockAnswer) return blockAnswer(address, out);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = memory[(address + i) % memory.size()];
    return 0;
}

int ScriptedLink::readPort(std::span<std::uint8_t> out) {
    if (portRead_ >= portReplies.size()) return -1;
    const Bytes& reply = portReplies[portRead_++];
    const std::size_t count = std::min(reply.size(), out.size());
    std::copy_n(reply.begin(), count, out.begin());
    return int(count);
}

Bytes imageOfLength(std::size_t length) {
    Bytes image(length);
    for (std::size_t i = 0; i < length; ++i) image[i] = std::uint8_t(i * 7 + 3);
    const char magic[] = "Vyrn";
    std::copy_n(magic, 4, image.begin());
    if (length >= 8) {
        image[6] = std::uint8_t(length >> 8);
        image[7] = std::uint8_t(length & 0xFF);
    }
    return image;
}

}  // namespace kbxi::test
