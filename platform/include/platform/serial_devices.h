#pragma once

// Which device a serial port name stands for: $KBX_COMn when set, else
// /dev/ttyS(n-1); empty for a name that is no "COMn" with n from 1.

#include <string>
#include <string_view>

namespace kbx::platform {

// The port an upper-cased interface string names, as the interface library
// reads it: its first four characters ("COM1" of "COM1:9600,O,8"), or "COMn"
// of "COM n".
std::string serialPortName(std::string_view upperCasedInterfaceString);

std::string serialDevicePath(std::string_view portName);
// The variable that names the device of a port ("KBX_COM2"); empty for a
// name that is no "COMn".
std::string serialDeviceVariable(std::string_view portName);

}  // namespace kbx::platform
