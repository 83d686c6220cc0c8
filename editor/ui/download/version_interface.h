#pragma once

// The five entry points of the keyboard interface library that the version
// query uses, and their binding at run time.

#include <QString>
#include <optional>
#include <string>

#include "kbxi32.h"
#include "platform/dynamic_library.h"

namespace keyui::download {

struct InterfaceEntries {
    decltype(&kbx_snd_cmd) sendCommand = nullptr;
    decltype(&get_kbx_header) readHeader = nullptr;
    decltype(&kbx_chk_interface) checkInterface = nullptr;
    decltype(&kbx_set_interface) setInterface = nullptr;
    decltype(&kbx_close_USB) closeUsb = nullptr;
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
