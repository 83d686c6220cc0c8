#pragma once

// The memory protocol's view of the library: sends go to the transport the
// selection names, replies come from the serial port or the key capture.

#include "iface/protocol/link.h"
#include "iface/selection.h"

namespace kbxi {

struct InterfaceState;

class LibraryLink : public Link {
public:
    explicit LibraryLink(InterfaceState& state) : state_(state) {}

    int sendFramed(std::uint8_t byte) override;
    int sendRaw(std::uint8_t byte) override;
    bool usb() const override;
    void releaseUsb() override;
    std::string_view downloadCheck() override;
    bool serial() const override;
    int bindReplies() override;
    void releaseReplies() override;
    int readBlock(std::uint16_t address, std::span<std::uint8_t> out) override;
    int readPort(std::span<std::uint8_t> out) override;

    // Runs a link test: 0 when the keyboard answered.
    int run(LinkTest test);

private:
    InterfaceState& state_;
};

}  // namespace kbxi
