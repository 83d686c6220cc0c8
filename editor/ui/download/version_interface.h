#pragma once

// The five entry points of the keyboard interface library that the version
// query uses, and their binding at run time.

#include <QString>
#include <optional>
#include <string>

#include "iface/include/kbxi32.h"
#include "platform/dynamic_library.h"

namespace keyui::download {

struct InterfaceEntries {
    using SendCommand = int(KBX_CALL*)(int* length, unsigned char* bytes, char* message);
    using ReadHeader = int(KBX_CALL*)(unsigned char* header, char* message);
    using CheckInterface = unsigned char(KBX_CALL*)();
    using SetInterface = unsigned char(KBX_CALL*)(unsigned char selector);
    using CloseUsb = int(KBX_CALL*)();

    SendCommand sendCommand = nullptr;        // kbx_snd_cmd
    ReadHeader readHeader = nullptr;          // get_kbx_header
    CheckInterface checkInterface = nullptr;  // kbx_chk_interface
    SetInterface setInterface = nullptr;      // kbx_set_interface
    CloseUsb closeUsb = nullptr;              // kbx_close_USB
};

// The interface library loaded and its entry points resolved in the order
// kbx_snd_cmd, get_kbx_header, kbx_chk_interface, kbx_set_interface,
// kbx_close_USB. When the load or a look-up fails, failure() holds the text
// for the user and the library is unloaded already; otherwise it stays loaded
// for the life of the object.
class BoundInterfaceLibrary {
public:
    explicit BoundInterfaceLibrary(const std::string& fileName);

    bool bound() const { return !failure_.has_value(); }
    const std::optional<QString>& failure() const { return failure_; }
    const InterfaceEntries& entries() const { return entries_; }

private:
    kbx::platform::DynamicLibrary library_;
    InterfaceEntries entries_;
    std::optional<QString> failure_;
};

}  // namespace keyui::download
