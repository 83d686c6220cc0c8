#pragma once

// USB keyboards, reached through the USB library bound at run time: it takes
// single protocol bytes, says whether the keyboard is reachable, and
// releases the device before it is unloaded. The keyboard's replies come as
// key presses, as on the keyboard port.

#include <memory>

#include "iface/library_binding.h"
#include "iface/transports/byte_transport.h"
#include "kbx_sonames.h"
#include "kbxusb.h"

namespace kbxi {

inline constexpr char kUsbLibraryName[] = KBX_SONAME_KBXUSB;

struct UsbEntries {
    decltype(&snddata_USB) sendData = nullptr;
    decltype(&Check_USB) check = nullptr;
    decltype(&Close_USB) close = nullptr;
};

class UsbLibrary : public ByteTransport {
public:
    explicit UsbLibrary(LibraryOpener opener = openSharedLibrary, std::string fileName = kUsbLibraryName)
        : opener_(std::move(opener)), fileName_(std::move(fileName)) {}

    // Loads the library and takes its three functions: 0, or 1 when the
    // library or one of them is missing (nothing stays loaded then).
    int bind();
    bool bound() const { return library_ != nullptr; }
    // Why the last bind failed: the library that could not be loaded, or
    // the function it lacks.
    const std::string& bindError() const { return bindError_; }

    // Both bind first when needed (1 when that fails).
    int sendFramed(std::uint8_t byte) override { return send(byte); }
    int sendRaw(std::uint8_t byte) override { return send(byte); }
    int check();  // 0 when the keyboard is reachable

    // Releases the device and unloads the library, binding it first when it
    // is not bound, so that the device is always released: 0, or 1 when it
    // cannot be bound.
    int release();

private:
    int send(std::uint8_t byte);

    LibraryOpener opener_;
    std::string fileName_;
    std::string bindError_;
    std::unique_ptr<LoadedLibrary> library_;
    UsbEntries entries_;
};

}  // namespace kbxi
