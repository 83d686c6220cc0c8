#include "iface/library_link.h"

#include <array>

#include "iface/protocol/block_read.h"
#include "iface/state.h"

namespace kbxi {
namespace {

constexpr int kFailed = 1;
// The capture-read test reads this many bytes at address 0.
constexpr std::size_t kTestReadLength = 2;

}  // namespace

int LibraryLink::sendFramed(std::uint8_t byte) {
    return state_.transport(framedRoute(state_.selection, state_.serialSelected)).sendFramed(byte);
}

int LibraryLink::sendRaw(std::uint8_t byte) {
    return state_.transport(rawRoute(state_.selection, state_.serialSelected)).sendRaw(byte);
}

bool LibraryLink::usb() const { return state_.selection.has(PortTransport::usb); }

void LibraryLink::releaseUsb() { state_.usb.release(); }

std::string_view LibraryLink::downloadCheck() {
    const DownloadCheck check = kbxi::downloadCheck(state_.selection, state_.serialSelected);
    return run(check.test) == 0 ? std::string_view() : check.failure;
}

bool LibraryLink::serial() const { return state_.serialSelected; }

int LibraryLink::bindReplies() { return state_.functionLibrary.bind(state_.serialSelected); }

void LibraryLink::releaseReplies() { state_.functionLibrary.unbind(state_.serialSelected); }

int LibraryLink::readBlock(std::uint16_t address, std::span<std::uint8_t> out) {
    if (serial()) return serialBlockRead(*this, address, out);
    return captureBlockRead(*this, state_.functionLibrary, address, out);
}

int LibraryLink::readPort(std::span<std::uint8_t> out) {
    if (!state_.serialPort.isOpen()) return -1;
    return int(state_.serialPort.read(out.data(), out.size()));
}

int LibraryLink::run(LinkTest test) {
    switch (test) {
        case LinkTest::pass:
            return 0;
        case LinkTest::fail:
            return kFailed;
        case LinkTest::captureRead: {
            // The capture needs the point-of-sale library for the test's
            // duration.
            FunctionLibrary& library = state_.functionLibrary;
            if (library.bind(false) != 0) return kFailed;
            std::array<std::uint8_t, kTestReadLength> bytes{};
            const int error = captureBlockRead(*this, library, 0, bytes);
            library.unbind(false);
            return error;
        }
        case LinkTest::echo:
            return state_.keyboardDevice.echoTest(state_.message);
        case LinkTest::usbCheck:
            return state_.usb.check();
    }
    return kFailed;
}

}  // namespace kbxi
