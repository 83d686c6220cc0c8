#pragma once

// What the kbxsim program shows on standard output while it serves: every
// device command, the customer display's screen whenever a display sequence
// changed it, and every key event a client passed on to the desktop.
//
//   command EF 2B beep
//   display
//   +------------------------+
//   |HELLO                   |
//   |                        |
//   +------------------------+
//   desktop make 1E
//   desktop break E0 38 alt

#include <cstdint>
#include <ostream>
#include <string>

#include "tools/kbxsim/firmware/firmware.h"

namespace kbxsim {

// "make 1E", "break E0 38 alt": a key event in words.
std::string describeKeyData(std::uint32_t keyData);

class ProgramReport final : public FirmwareObserver {
public:
    explicit ProgramReport(std::ostream& out) : out_(out) {}

    void commandReceived(const DeviceCommand& command) override;
    void displayChanged(const CustomerDisplay& display) override;
    void desktopInput(std::uint32_t keyData);

private:
    std::ostream& out_;
};

}  // namespace kbxsim
