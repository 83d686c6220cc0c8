#pragma once

// The bridge to the point-of-sale library: on every transport but the serial
// one the keyboard types its replies, and that library's keyboard hook
// captures the key codes. The interface library binds it for the operations
// that read from the keyboard, lets it capture, and unbinds it afterwards.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "kbxi32.h"
#include "iface/library_binding.h"
#include "iface/point_of_sale_entries.h"
#include "iface/protocol/block_read.h"
#include "kbx_sonames.h"

namespace kbxi {

class SharedTimer;

inline constexpr char kFunctionLibraryName[] = KBX_SONAME_KBXFUNC;

// What the capture callback was told: done, and how many key codes came
// (0 after the capture's time-out).
struct CaptureReport {
    bool done = false;
    int count = 0;
};

// The library's capture callback: records the report in the library state.
void KBX_CALL onCaptureReported(int count);

class FunctionLibrary : public KeyCapture {
public:
    using CaptureCallback = PointOfSaleEntries::CaptureCallback;

    FunctionLibrary(CaptureReport& report, SharedTimer& timer, LibraryOpener opener = openSharedLibrary,
                    std::string fileName = kFunctionLibraryName);

    // Binds the library, opens it and registers the capture callback, unless
    // the serial transport is used (its replies are read from the port) or it
    // is bound already: 0, or nonzero after telling the user in message
    // boxes. A library that does not open or refuses the callback is not
    // kept bound, so no capture is ever armed without its callback.
    int bind(bool serialSelected);
    // Closes and unloads it (nothing to do over the serial transport).
    void unbind(bool serialSelected);
    bool bound() const { return library_ != nullptr; }

    // The capture of one block's reply.
    int arm(int count) override;
    int await() override;
    std::span<const std::uint8_t> codes(std::size_t count) override;
    void finish() override;

    // Tests and the library's set-up choose where the library comes from.
    void setSource(LibraryOpener opener, std::string fileName);

private:
    // Unloads a library that was resolved but did not open or refused the
    // capture callback (`opened`: kbx_open had succeeded and is undone), and
    // tells the user as any failed binding: nonzero.
    int failOpening(bool opened);

    CaptureReport& report_;
    SharedTimer& timer_;
    LibraryOpener opener_;
    std::string fileName_;
    std::unique_ptr<LoadedLibrary> library_;
    PointOfSaleEntries entry_;
};

}  // namespace kbxi
