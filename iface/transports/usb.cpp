#include "iface/transports/usb.h"

#include <array>

namespace kbxi {
namespace {

constexpr char kSendData[] = "snddata_USB";
constexpr char kCheck[] = "Check_USB";
constexpr char kClose[] = "Close_USB";
constexpr int kUnbound = 1;

// The library answers in its low 8 bits.
int lowByte(int value) { return value & 0xFF; }

}  // namespace

int UsbLibrary::bind() {
    if (bound()) return 0;
    std::unique_ptr<LoadedLibrary> library = opener_(fileName_);
    if (!library) return kUnbound;
    // Resolved in this order, stopping at the first that is missing.
    const std::array<const char*, 3> names{kSendData, kCheck, kClose};
    std::array<AnyFunction, 3> functions{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        functions[i] = library->function(names[i]);
        if (functions[i] == nullptr) return kUnbound;
    }
    sendData_ = functionAs<SendData>(functions[0]);
    check_ = functionAs<Check>(functions[1]);
    close_ = functionAs<Close>(functions[2]);
    library_ = std::move(library);
    return 0;
}

int UsbLibrary::send(std::uint8_t byte) {
    if (bind() != 0) return kUnbound;
    return lowByte(sendData_(byte));
}

int UsbLibrary::check() {
    if (bind() != 0) return kUnbound;
    return lowByte(check_());
}

int UsbLibrary::release() {
    if (bind() != 0) return kUnbound;
    close_();
    library_.reset();
    sendData_ = nullptr;
    check_ = nullptr;
    close_ = nullptr;
    return 0;
}

}  // namespace kbxi
