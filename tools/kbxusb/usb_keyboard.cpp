#include "tools/kbxusb/usb_keyboard.h"

#include <cstdlib>

#include "platform/keyboard_channel.h"
#include "platform/notifier.h"

namespace kbxusb {
namespace {

using kbx::platform::channel::Kind;
using kbx::platform::channel::PacketReader;
using kbx::platform::channel::PacketWriter;

constexpr int kUnreachable = 1;
constexpr char kMessageTitle[] = "kbxusb";

}  // namespace

std::optional<std::uint8_t> UsbKeyboard::ask(const kbx::platform::channel::Packet& request) {
    if (!connection_) {
        const std::optional<std::string> path = kbx::platform::simulatedKeyboardPath(std::getenv(kUsbVariable));
        if (!path) return std::nullopt;
        std::string why;
        connection_ = kbx::platform::ChannelConnection::connect(*path, why);
        if (!connection_) {
            report(std::string(kUsbVariable) + ": " + why);
            return std::nullopt;
        }
        reported_.clear();
    }
    const std::optional<kbx::platform::channel::Packet> reply = connection_->request(request);
    std::optional<std::uint8_t> answer;
    if (reply) answer = PacketReader(*reply).u8();
    if (!answer) connection_.reset();
    return answer;
}

// Every byte of a frame and every retry tries again: the reason is told
// once, until it changes or the keyboard was reached.
void UsbKeyboard::report(const std::string& why) {
    if (why == reported_) return;
    kbx::platform::notify(why, kMessageTitle, kbx::platform::Buttons::ok);
    reported_ = why;
}

int UsbKeyboard::send(std::uint8_t byte) {
    return ask(PacketWriter(Kind::usbSend).u8(byte).take()).value_or(kUnreachable);
}

int UsbKeyboard::check() { return ask(PacketWriter(Kind::usbCheck).take()).value_or(kUnreachable); }

// The keyboard hears of the release even when nothing was sent before.
void UsbKeyboard::close() {
    ask(PacketWriter(Kind::usbClose).take());
    connection_.reset();
}

UsbKeyboard& usbKeyboard() {
    static UsbKeyboard keyboard;
    return keyboard;
}

}  // namespace kbxusb
