#pragma once

// The switch that offers the USB interface among the choices: the presence
// of the file LayomatV18/usb in the user's configuration folder
// ($XDG_CONFIG_HOME, or $HOME/.config when that is unset or empty).

#include <string>

#include "platform/include/kbxplatform_api.h"

namespace kbx::platform {

// The switch file's path; empty when neither variable names a folder.
KBX_PLATFORM_API std::string usbSwitchPath();

// True when the switch file exists.
KBX_PLATFORM_API bool usbChoiceEnabled();

}  // namespace kbx::platform
