#pragma once

// The switch that offers the USB interface among the choices: the presence
// of the file LayomatV18/usb in the user's configuration folder
// ($XDG_CONFIG_HOME, or $HOME/.config when that is unset or empty).

#include <string>

namespace kbx::platform {

// The switch file's path; empty when neither variable names a folder.
std::string usbSwitchPath();

// True when the switch file exists.
bool usbChoiceEnabled();

}  // namespace kbx::platform
