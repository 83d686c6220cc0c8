#include "iface/transports/usb.h"

#include <array>
#include <cstdio>

namespace kbxi {
namespace {

constexpr char kSendData[] = "snddata_USB";
constexpr char kCheck[] = "Check_USB";
constexpr char kClose[] = "Close_USB";
constexpr int kUnbound = 1;
constexpr char kCannotLoad[] = "The USB library %s cannot be loaded";
constexpr char kLacksFunction[] = "The USB library %s has no %s";
constexpr std::size_t kErrorCapacity = 256;

std::string formatted(const char* format, const std::string& library, const char* function = "") {
    char text[kErrorCapacity];
    std::snprintf(text, sizeof text, format, library.c_str(), function);
    return text;
}

// The library answers in its low 8 bits.
int lowByte(int value) { return value & 0xFF; }

}  // namespace

int UsbLibrary::bind() {
    if (bound()) return 0;
    std::unique_ptr<LoadedLibrary> library = opener_(fileName_);
    if (!library) {
        bindError_ = formatted(kCannotLoad, fileName_);
        return kUnbound;
    }
    // Resolved in this order, stopping at the first that is missing.
    const std::array<const char*, 3> names{kSendData, kCheck, kClose};
    std::array<AnyFunction, 3> functions{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        functions[i] = library->function(names[i]);
        if (functions[i] == nullptr) {
            bindError_ = formatted(kLacksFunction, fileName_, names[i]);
            return kUnbound;
        }
    }
    sendData_ = functionAs<SendData>(functions[0]);
    check_ = functionAs<Check>(functions[1]);
    close_ = functionAs<Close>(functions[2]);
    library_ = std::move(library);
    bindError_.clear();
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
