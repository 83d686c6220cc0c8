#include "tools/kbxsim/command_line/program_report.h"

#include "kbxsim/hex_text.h"
#include "platform/channel_protocol.h"

namespace kbxsim {
namespace {

namespace channel = kbx::platform::channel;

constexpr std::string_view kCommandLine = "command ";
constexpr std::string_view kDisplayLine = "display\n";
constexpr std::string_view kDesktopLine = "desktop ";

}  // namespace

std::string describeKeyData(std::uint32_t keyData) {
    std::string text = (keyData & channel::kKeyUpBit) != 0 ? "break " : "make ";
    if ((keyData & channel::kExtendedBit) != 0) text += "E0 ";
    text += hexByte(channel::scanCodeOf(keyData));
    if ((keyData & channel::kAltContextBit) != 0) text += " alt";
    return text;
}

void ProgramReport::commandReceived(const DeviceCommand& command) {
    out_ << kCommandLine << describe(command) << std::endl;
}

void ProgramReport::displayChanged(const CustomerDisplay& display) {
    out_ << kDisplayLine << display.framed() << std::flush;
}

void ProgramReport::desktopInput(std::uint32_t keyData) {
    out_ << kDesktopLine << describeKeyData(keyData) << std::endl;
}

}  // namespace kbxsim
