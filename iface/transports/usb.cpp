#include "iface/transports/usb.h"

#include <array>
#include <cstdio>

namespace kbxi {
namespace {

using kbx::platform::entry;

// Resolved in this order, stopping at the first that is missing.
constexpr std::array kUsbEntries{
    entry<&UsbEntries::sendData>("snddata_USB"),
    entry<&UsbEntries::check>("Check_USB"),
    entry<&UsbEntries::close>("Close_USB"),
};

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
    const auto resolved = kbx::platform::resolveEntries(*library, kUsbEntries);
    if (resolved.firstMissing) {
        bindError_ = formatted(kLacksFunction, fileName_, resolved.firstMissing->name);
        return kUnbound;
    }
    entries_ = resolved.entries;
    library_ = std::move(library);
    bindError_.clear();
    return 0;
}

int UsbLibrary::send(std::uint8_t byte) {
    if (bind() != 0) return kUnbound;
    return lowByte(entries_.sendData(byte));
}

int UsbLibrary::check() {
    if (bind() != 0) return kUnbound;
    return lowByte(entries_.check());
}

int UsbLibrary::release() {
    if (bind() != 0) return kUnbound;
    entries_.close();
    library_.reset();
    entries_ = {};
    return 0;
}

}  // namespace kbxi
