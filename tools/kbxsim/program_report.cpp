#include "tools/kbxsim/program_report.h"

#include <array>
#include <cstdio>

#include "platform/channel_protocol.h"

namespace kbxsim {
namespace {

namespace channel = kbx::platform::channel;

constexpr std::string_view kCommandLine = "command ";
constexpr std::string_view kDisplayLine = "display\n";
constexpr std::string_view kDesktopLine = "desktop ";
constexpr std::size_t kCodeCapacity = 8;

}  // namespace

std::string describeKeyData(std::uint32_t keyData) {
    std::string text = (keyData & channel::kKeyUpBit) != 0 ? "break " : "make ";
    if ((keyData & channel::kExtendedBit) != 0) text += "E0 ";
    std::array<char, kCodeCapacity> code{};
    std::snprintf(code.data(), code.size(), "%02X", static_cast<unsigned>(channel::scanCodeOf(keyData)));
    text += code.data();
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
