#include "iface/tests/fake_keyboard_port.h"

namespace kbxi::test {
namespace {

constexpr std::uint16_t kDataPort = 0x60;
constexpr std::uint16_t kCommandPort = 0x64;
constexpr std::uint8_t kWriteCommandByte = 0x60;

Bytes defaultAnswer(std::uint8_t byte) { return {std::uint8_t(byte == 0xEE ? 0xEE : 0xFA)}; }

class FakeChannel : public kbx::platform::KeyboardChannel {
public:
    explicit FakeChannel(FakeKeyboardPort& port) : port_(port) {}

    std::optional<std::uint8_t> readPort(std::uint16_t port) override {
        if (!take()) return std::nullopt;
        if (port == kCommandPort) {
            ++port_.statusReads;
            std::uint8_t status = 0;
            if (port_.alwaysBusy) status |= 0x02;
            if (port_.busyReads > 0) {
                --port_.busyReads;
                status |= 0x02;
            }
            if (!port_.output.empty()) status |= std::uint8_t(0x01 | port_.fullStatus);
            return status;
        }
        if (port_.output.empty()) return std::uint8_t(0);
        const std::uint8_t byte = port_.output.front();
        port_.output.pop_front();
        return byte;
    }

    bool writePort(std::uint16_t port, std::uint8_t value) override {
        if (!take()) return false;
        if (port == kCommandPort) {
            commandPending_ = value == kWriteCommandByte;
        } else if (port == kDataPort && commandPending_) {
            port_.commandBytes.push_back(value);
            commandPending_ = false;
        } else if (port == kDataPort) {
            for (std::uint8_t answer : keyboardReceives(value)) port_.output.push_back(answer);
        }
        return true;
    }

    std::optional<std::vector<std::uint8_t>> deviceControl(std::uint32_t code, std::span<const std::uint8_t> input,
                                                           std::size_t outputSize) override {
        if (!take()) return std::nullopt;
        port_.deviceCalls.push_back({code, Bytes(input.begin(), input.end()), outputSize});
        std::vector<std::uint8_t> output(outputSize, 0);
        switch (code) {
            case kCapture: port_.captured = true; break;
            case kRelease: port_.captured = false; break;
            case kClear: port_.held.clear(); break;
            case kAvailable:
                for (std::size_t i = 0; i < outputSize && i < 4; ++i)
                    output[i] = std::uint8_t(port_.held.size() >> (8 * i));
                break;
            case kGet:
                if (!port_.held.empty()) {
                    output[0] = port_.held.front();
                    port_.held.pop_front();
                }
                break;
            case kSendByte:
                if (!input.empty()) {
                    for (std::uint8_t answer : keyboardReceives(input[0]))
                        if (port_.captured) port_.held.push_back(answer);
                }
                break;
            default: break;
        }
        return output;
    }

    bool driverRequest(std::uint32_t code, std::span<const std::uint8_t> input) override {
        if (!take()) return false;
        port_.driverCalls.push_back({code, Bytes(input.begin(), input.end())});
        return port_.driverAccepts;
    }

private:
    bool take() { return port_.requests++ < port_.breakAfter; }

    Bytes keyboardReceives(std::uint8_t byte) {
        port_.received.push_back(byte);
        return port_.answer ? port_.answer(byte) : defaultAnswer(byte);
    }

    FakeKeyboardPort& port_;
    bool commandPending_ = false;
};

}  // namespace

std::vector<std::uint32_t> FakeKeyboardPort::deviceCodes() const {
    std::vector<std::uint32_t> codes;
    for (const DeviceCall& call : deviceCalls) codes.push_back(call.code);
    return codes;
}

KeyboardChannelOpener openerFor(FakeKeyboardPort& port) {
    return [&port](std::string&) -> std::unique_ptr<kbx::platform::KeyboardChannel> {
        ++port.opens;
        return std::make_unique<FakeChannel>(port);
    };
}

KeyboardChannelOpener noKeyboardPort() {
    return [](std::string&) -> std::unique_ptr<kbx::platform::KeyboardChannel> { return nullptr; };
}

}  // namespace kbxi::test
