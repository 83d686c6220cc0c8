#include "iface/selection.h"

#include <algorithm>

#include "platform/system_info.h"

namespace kbxi {
namespace {

constexpr std::uint8_t kAccepted = 0;
constexpr std::uint8_t kUnknownSelector = 1;
constexpr std::uint8_t kLastSelector = 4;

// Automatic selection by operating system; anything not listed takes the
// direct port.
struct SystemChoice {
    bool nt;
    int major;
    PortTransport transport;
};
constexpr std::array<SystemChoice, 2> kSystemChoices{{
    {true, 4, PortTransport::keyboardDevice},
    {true, 5, PortTransport::driver},
}};
constexpr PortTransport kOtherSystems = PortTransport::directPort;

constexpr std::array<Route, 4> kFramedSendOrder{Route::serial, Route::keyboardDevice, Route::usb, Route::driver};
constexpr std::array<Route, 4> kRawSendOrder{Route::usb, Route::serial, Route::driver, Route::keyboardDevice};
constexpr Route kSendFallback = Route::directPort;
constexpr std::array<Route, 4> kLinkTestOrder{Route::directPort, Route::keyboardDevice, Route::driver, Route::usb};
constexpr std::array<Route, 5> kDownloadCheckOrder{Route::usb, Route::serial, Route::driver, Route::keyboardDevice,
                                                   Route::directPort};

// What each route offers as link tests.
struct RouteTests {
    Route route;
    LinkTest interfaceCheck;  // kbx_chk_interface
    LinkTest echoCheck;       // kbx_echo_check
    LinkTest downloadCheck;   // before a download asked to check
    std::string_view downloadFailure;
};
constexpr std::array<RouteTests, kRouteCount> kRouteTests{{
    {Route::directPort, LinkTest::captureRead, LinkTest::captureRead, LinkTest::captureRead,
     "download check failed (w95)"},
    {Route::keyboardDevice, LinkTest::echo, LinkTest::echo, LinkTest::echo, "download check failed (NT4.0)"},
    {Route::driver, LinkTest::pass, LinkTest::pass, LinkTest::pass, ""},
    {Route::usb, LinkTest::usbCheck, LinkTest::pass, LinkTest::usbCheck, "download check failed (USB)"},
    {Route::serial, LinkTest::pass, LinkTest::pass, LinkTest::pass, ""},
}};

const RouteTests& testsOf(Route route) {
    return *std::find_if(kRouteTests.begin(), kRouteTests.end(),
                         [route](const RouteTests& tests) { return tests.route == route; });
}

// The keyboard-port transport a route stands for, if any.
struct RouteFlag {
    Route route;
    PortTransport transport;
};
constexpr std::array<RouteFlag, 4> kRouteFlags{{
    {Route::directPort, PortTransport::directPort},
    {Route::keyboardDevice, PortTransport::keyboardDevice},
    {Route::driver, PortTransport::driver},
    {Route::usb, PortTransport::usb},
}};

}  // namespace

PortTransport automaticTransport() {
    const kbx::platform::SystemVersion version = kbx::platform::systemVersion();
    for (const SystemChoice& choice : kSystemChoices) {
        if (version.nt == choice.nt && version.major == choice.major) return choice.transport;
    }
    return kOtherSystems;
}

std::uint8_t setInterface(Selection& selection, std::uint8_t selector) {
    selection.clearFlags();
    if (selector > kLastSelector) return kUnknownSelector;
    selection.set(selector == kAutomaticSelection ? automaticTransport() : PortTransport(selector));
    selection.chosen = true;
    return kAccepted;
}

std::uint8_t getInterface(const Selection& selection) {
    for (std::uint8_t selector = 1; selector <= kLastSelector; ++selector) {
        if (selection.has(PortTransport(selector))) return selector;
    }
    return 0;
}

bool routeSelected(Route route, const Selection& selection, bool serialSelected) {
    if (route == Route::serial) return serialSelected;
    const auto flag = std::find_if(kRouteFlags.begin(), kRouteFlags.end(),
                                   [route](const RouteFlag& entry) { return entry.route == route; });
    return selection.has(flag->transport);
}

std::optional<Route> firstSelected(std::span<const Route> order, const Selection& selection, bool serialSelected) {
    for (Route route : order) {
        if (routeSelected(route, selection, serialSelected)) return route;
    }
    return std::nullopt;
}

Route framedRoute(const Selection& selection, bool serialSelected) {
    return firstSelected(kFramedSendOrder, selection, serialSelected).value_or(kSendFallback);
}

Route rawRoute(const Selection& selection, bool serialSelected) {
    return firstSelected(kRawSendOrder, selection, serialSelected).value_or(kSendFallback);
}

LinkTest interfaceCheck(const Selection& selection) {
    const std::optional<Route> route = firstSelected(kLinkTestOrder, selection, false);
    return route ? testsOf(*route).interfaceCheck : LinkTest::fail;
}

LinkTest echoCheck(const Selection& selection) {
    const std::optional<Route> route = firstSelected(kLinkTestOrder, selection, false);
    return route ? testsOf(*route).echoCheck : LinkTest::fail;
}

DownloadCheck downloadCheck(const Selection& selection, bool serialSelected) {
    const std::optional<Route> route = firstSelected(kDownloadCheckOrder, selection, serialSelected);
    if (!route) return {};
    const RouteTests& tests = testsOf(*route);
    return {tests.downloadCheck, tests.downloadFailure};
}

}  // namespace kbxi
