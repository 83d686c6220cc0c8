#pragma once

// The point-of-sale device commands the firmware takes after the prefix byte
// 0xEF: module switches and reads, the beeper, reader LEDs, the fat-finger
// function. Most are one byte; the two barcode commands carry a text up to a
// 0x00 and the track selection one argument byte.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kbxsim {

enum class CommandArguments {
    none,
    oneByte,           // one byte follows
    textUntilNul,      // bytes up to a 0x00 follow (the 0x00 ends the command)
};

struct DeviceCommandInfo {
    std::uint8_t code;
    std::string_view name;
    CommandArguments arguments;
};

// The command of `code`; nothing for a byte that is no device command.
const DeviceCommandInfo* findDeviceCommand(std::uint8_t code);

// One command as the keyboard received it.
struct DeviceCommand {
    std::uint8_t code = 0;
    std::string_view name;               // "command" for a byte the keyboard does not know
    std::vector<std::uint8_t> arguments;  // the argument byte, or the text without its 0x00
    bool truncated = false;               // a text longer than kMostArgumentBytes lost its end
    friend bool operator==(const DeviceCommand&, const DeviceCommand&) = default;
};

// "EF 27 barcode config "ABC"", for logs.
std::string describe(const DeviceCommand& command);

// Collects the arguments of the command in progress, one byte at a time.
class CommandReader {
public:
    static constexpr std::size_t kMostArgumentBytes = 256;

    // The command byte after 0xEF. Returns the command when it is complete
    // already (no arguments); else the arguments follow through take().
    std::optional<DeviceCommand> start(std::uint8_t code);
    bool inProgress() const { return info_ != nullptr; }
    // An argument byte; the command once it is complete.
    std::optional<DeviceCommand> take(std::uint8_t byte);
    void abandon() { info_ = nullptr; }

private:
    const DeviceCommandInfo* info_ = nullptr;
    DeviceCommand command_;
};

}  // namespace kbxsim
