#pragma once

// Which transport the library talks through: the keyboard-port transport
// chosen by selector (or automatically by the operating system), the serial
// port while a "COM" interface string has it open, and the order in which
// sends and link tests look at them.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kbxi {

// The keyboard-port transports by their selector.
enum class PortTransport : std::uint8_t { directPort = 1, keyboardDevice = 2, driver = 3, usb = 4 };
inline constexpr std::uint8_t kAutomaticSelection = 0;

struct Selection {
    std::array<bool, 4> flags{};  // by selector - 1
    bool chosen = false;          // a selection was made once

    bool has(PortTransport transport) const { return flags[std::size_t(transport) - 1]; }
    void set(PortTransport transport) { flags[std::size_t(transport) - 1] = true; }
    void clearFlags() { flags = {}; }
};

// Selects by selector 0-4 (0: by the operating system): 0, or 1 for any other
// selector, which leaves no keyboard-port transport selected.
std::uint8_t setInterface(Selection& selection, std::uint8_t selector);
// The selector of the first transport selected, 0 if none.
std::uint8_t getInterface(const Selection& selection);
// The transport automatic selection picks on this system.
PortTransport automaticTransport();

// Every way a byte can go.
enum class Route : std::uint8_t { serial, keyboardDevice, usb, driver, directPort };
inline constexpr std::size_t kRouteCount = 5;

bool routeSelected(Route route, const Selection& selection, bool serialSelected);
// The first route of `order` that is selected.
std::optional<Route> firstSelected(std::span<const Route> order, const Selection& selection, bool serialSelected);

// Framed sends (protocol bytes) and raw sends look at the routes in
// different orders; with none selected the direct port takes the byte.
Route framedRoute(const Selection& selection, bool serialSelected);
Route rawRoute(const Selection& selection, bool serialSelected);

// The link tests a route offers.
enum class LinkTest : std::uint8_t {
    pass,         // no test: the link counts as good
    fail,         // no transport to test
    captureRead,  // read two bytes at address 0 through the key capture
    echo,         // the keyboard device's echo test
    usbCheck,     // the USB library's check
};

// kbx_chk_interface and kbx_echo_check look at the keyboard-port
// transports only.
LinkTest interfaceCheck(const Selection& selection);
LinkTest echoCheck(const Selection& selection);

// The test a download runs first when asked to, and the text that tells its
// failure.
struct DownloadCheck {
    LinkTest test = LinkTest::pass;
    std::string_view failure;
};
DownloadCheck downloadCheck(const Selection& selection, bool serialSelected);

}  // namespace kbxi
