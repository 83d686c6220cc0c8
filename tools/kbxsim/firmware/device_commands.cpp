#include "kbxsim/device_commands.h"

#include <array>
#include <utility>

#include "kbxsim/hex_text.h"

namespace kbxsim {
namespace {

constexpr std::string_view kUnknownCommandName = "command";
// The keyboard's own command table, not format/device_commands.h: the
// simulated keyboard checks the libraries independently.
constexpr std::uint8_t kPrefixByte = 0xEF;
constexpr char kFirstPrintable = ' ';
constexpr char kLastPrintable = '~';

constexpr std::array kDeviceCommands{
    DeviceCommandInfo{0x18, "card reader auto input on", CommandArguments::none},
    DeviceCommandInfo{0x19, "card reader auto input off", CommandArguments::none},
    DeviceCommandInfo{0x1A, "card reader read data", CommandArguments::none},
    DeviceCommandInfo{0x1B, "function card auto input on", CommandArguments::none},
    DeviceCommandInfo{0x1C, "function card auto input off", CommandArguments::none},
    DeviceCommandInfo{0x1D, "function card read data", CommandArguments::none},
    DeviceCommandInfo{0x1E, "key lock auto input on", CommandArguments::none},
    DeviceCommandInfo{0x1F, "key lock auto input off", CommandArguments::none},
    DeviceCommandInfo{0x20, "key lock read data", CommandArguments::none},
    DeviceCommandInfo{0x21, "barcode auto input on", CommandArguments::none},
    DeviceCommandInfo{0x22, "barcode auto input off", CommandArguments::none},
    DeviceCommandInfo{0x23, "barcode read data", CommandArguments::none},
    DeviceCommandInfo{0x24, "insurance card mode 2", CommandArguments::none},
    DeviceCommandInfo{0x25, "insurance card mode 1", CommandArguments::none},
    DeviceCommandInfo{0x26, "insurance card read data", CommandArguments::none},
    DeviceCommandInfo{0x27, "barcode config", CommandArguments::textUntilNul},
    DeviceCommandInfo{0x28, "barcode data", CommandArguments::textUntilNul},
    DeviceCommandInfo{0x2B, "beep", CommandArguments::none},
    DeviceCommandInfo{0x31, "card reader delete data", CommandArguments::none},
    DeviceCommandInfo{0x32, "fat finger off", CommandArguments::none},
    DeviceCommandInfo{0x33, "fat finger on", CommandArguments::none},
    DeviceCommandInfo{0x36, "card reader tracks", CommandArguments::oneByte},
    DeviceCommandInfo{0x37, "card reader cancel read", CommandArguments::none},
    DeviceCommandInfo{0x42, "card reader LEDs 0", CommandArguments::none},
    DeviceCommandInfo{0x43, "card reader LEDs 1", CommandArguments::none},
    DeviceCommandInfo{0x44, "card reader LEDs 2", CommandArguments::none},
};

}  // namespace

const DeviceCommandInfo* findDeviceCommand(std::uint8_t code) {
    for (const DeviceCommandInfo& info : kDeviceCommands) {
        if (info.code == code) return &info;
    }
    return nullptr;
}

std::string describe(const DeviceCommand& command) {
    std::string text = hexByte(kPrefixByte) + ' ' + hexByte(command.code) + ' ' + std::string(command.name);
    const DeviceCommandInfo* info = findDeviceCommand(command.code);
    if (info == nullptr || info->arguments == CommandArguments::none) return text;
    if (info->arguments == CommandArguments::oneByte) {
        for (const std::uint8_t byte : command.arguments) text += ' ' + hexByte(byte);
        return text;
    }
    text += " \"";
    for (const std::uint8_t byte : command.arguments) {
        const char character = static_cast<char>(byte);
        if (character >= kFirstPrintable && character <= kLastPrintable && character != '<') {
            text.push_back(character);
        } else {
            text += '<' + hexByte(byte) + '>';
        }
    }
    text += '"';
    if (command.truncated) text += " (cut)";
    return text;
}

std::optional<DeviceCommand> CommandReader::start(std::uint8_t code) {
    const DeviceCommandInfo* info = findDeviceCommand(code);
    command_ = DeviceCommand{code, info != nullptr ? info->name : kUnknownCommandName, {}, false};
    if (info == nullptr || info->arguments == CommandArguments::none) {
        info_ = nullptr;
        return command_;
    }
    info_ = info;
    return std::nullopt;
}

std::optional<DeviceCommand> CommandReader::take(std::uint8_t byte) {
    if (info_ == nullptr) return std::nullopt;
    const bool ends = info_->arguments == CommandArguments::oneByte || byte == 0;
    if (info_->arguments == CommandArguments::oneByte || byte != 0) {
        if (command_.arguments.size() < kMostArgumentBytes) {
            command_.arguments.push_back(byte);
        } else {
            command_.truncated = true;
        }
    }
    if (!ends) return std::nullopt;
    info_ = nullptr;
    return std::move(command_);
}

}  // namespace kbxsim
