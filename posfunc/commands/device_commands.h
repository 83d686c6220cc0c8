#pragma once

// The keyboard's device commands: each is the prefix byte 0xEF followed by
// the command's byte (and for a few its argument), sent inside a command
// bracket.

#include <array>
#include <cstdint>
#include <string_view>

namespace kbxfunc {

struct FuncState;

inline constexpr std::uint8_t kCommandPrefix = 0xEF;

// A command without argument: the export that sends it and its byte.
struct DeviceCommand {
    std::string_view exportName;
    std::uint8_t code;
};

inline constexpr std::array kDeviceCommands{
    DeviceCommand{"kbx_msr_autoinput_on", 0x18},  DeviceCommand{"kbx_msr_autoinput_off", 0x19},
    DeviceCommand{"kbx_msr_read_data", 0x1A},     DeviceCommand{"kbx_fc_autoinput_on", 0x1B},
    DeviceCommand{"kbx_fc_autoinput_off", 0x1C},  DeviceCommand{"kbx_fc_read_data", 0x1D},
    DeviceCommand{"kbx_kl_autoinput_on", 0x1E},   DeviceCommand{"kbx_kl_autoinput_off", 0x1F},
    DeviceCommand{"kbx_kl_read_data", 0x20},      DeviceCommand{"kbx_bar_autoinput_on", 0x21},
    DeviceCommand{"kbx_bar_autoinput_off", 0x22}, DeviceCommand{"kbx_bar_read_data", 0x23},
    DeviceCommand{"kbx_kvk_mode2", 0x24},         DeviceCommand{"kbx_kvk_mode1", 0x25},
    DeviceCommand{"kbx_kvk_read_data", 0x26},     DeviceCommand{"kbx_beep", 0x2B},
    DeviceCommand{"kbx_msr_delete_data", 0x31},   DeviceCommand{"kbx_fat_finger_off", 0x32},
    DeviceCommand{"kbx_fat_finger_on", 0x33},     DeviceCommand{"kbx_msr_cancel_read", 0x37},
};

// The command an export sends; a name that is not in the table does not compile.
consteval const DeviceCommand& deviceCommand(std::string_view exportName) {
    for (const DeviceCommand& command : kDeviceCommands) {
        if (command.exportName == exportName) return command;
    }
    throw "no device command of that name";
}

// 0xEF and the command's byte; 0, or 1 when the bracket or a byte failed.
int runDeviceCommand(FuncState& state, const DeviceCommand& command);
// 0xEF, 0x36 and the tracks to read (0-7; above that 1 and nothing sent).
int setReaderTracks(FuncState& state, std::uint8_t tracks);
// 0xEF and the LED command of state 0, 1 or 2 (any other: 1, nothing sent).
int setReaderLeds(FuncState& state, std::uint8_t ledState);
// 0xEF, 0x27 (configuration) or 0x28 (data), the text and its closing 0x00:
// the failed byte's result, else that of the closing 0x00. A missing text
// sends nothing and fails.
std::uint8_t sendBarcodeConfig(FuncState& state, const char* text);
std::uint8_t sendBarcodeData(FuncState& state, const char* text);

}  // namespace kbxfunc
