#include "iface/state.h"

#include <memory>

namespace kbxi {
namespace {

std::unique_ptr<InterfaceState>& instance() {
    static std::unique_ptr<InterfaceState> held = std::make_unique<InterfaceState>();
    return held;
}

void stopSharedTimer(kbx::platform::TimerId id) {
    kbx::platform::killTimer(id);
    state().timer.stop();
}

}  // namespace

InterfaceState::InterfaceState() {
    routes[std::size_t(Route::serial)] = &serialRoute;
    routes[std::size_t(Route::keyboardDevice)] = &keyboardDevice;
    routes[std::size_t(Route::usb)] = &usb;
    routes[std::size_t(Route::driver)] = &driver;
    routes[std::size_t(Route::directPort)] = &directPort;
}

InterfaceState& state() { return *instance(); }

void resetStateForTests() {
    InterfaceState& old = state();
    old.timer.stop();
    MessageBuffer discard;
    if (old.serialPort.isOpen()) old.serialPort.close(discard);
    instance() = std::make_unique<InterfaceState>();
}

void timeoutTimerProc(void*, unsigned, kbx::platform::TimerId id, std::uint32_t) { stopSharedTimer(id); }
void uploadTimerProc(void*, unsigned, kbx::platform::TimerId id, std::uint32_t) { stopSharedTimer(id); }

}  // namespace kbxi
