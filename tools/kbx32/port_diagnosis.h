#pragma once

// Why a serial port could not be used, in words a person can act on: the
// interface library only says that the port could not be opened, so the
// device behind the port name is looked at once more.

#include <string>

#include "tools/kbx32/steps.h"

namespace kbx32 {

// The serial port an interface string names ("COM2" of "com2:9600,O,8" or
// "COM 2"), as the interface library reads it; empty when it names none.
std::string serialPortNameOf(const std::string& interfaceString);

// Whether `interfaceString` names a serial port without line settings, so
// that the library tries each setting in turn (a while when nothing answers).
bool searchesLineSettings(const std::string& interfaceString);

struct PortDiagnosis {
    Outcome outcome;   // portNotOpened, or noKeyboardFound for a port that opens well after a search
    std::string text;  // the device and the system's reason: "/dev/ttyS0: Permission denied"
};

// Why the serial port of `interfaceString` failed (Outcome::portNotOpened).
PortDiagnosis diagnosePortFailure(const std::string& interfaceString);

// `result` with the diagnosis added to its detail when it is a failure of
// the serial port; any other result as it is.
StepResult withPortDiagnosis(const std::string& interfaceString, StepResult result);
StepResult withPortDiagnosis(StepResult result, const PortDiagnosis& diagnosis);

}  // namespace kbx32
