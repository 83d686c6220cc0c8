#pragma once

// The keyboard's device commands as the library sends them: each is the
// frame prefix followed by the command's byte (and for a few its argument),
// sent inside a command bracket. The bytes are the keyboard's
// (format/device_commands.h); the table here says which export sends which.

#include <array>
#include <cstdint>
#include <string_view>

#include "format/device_commands.h"

namespace kbxfunc {

struct FuncState;

// A command without argument: the export that sends it and its byte.
struct DeviceCommand {
    std::string_view exportName;
    std::uint8_t code;
};

namespace device_command = kbx::protocol::device_command;

inline constexpr std::array kDeviceCommands{
    DeviceCommand{"kbx_msr_autoinput_on", device_command::kCardReaderAutoInputOn},
    DeviceCommand{"kbx_msr_autoinput_off", device_command::kCardReaderAutoInputOff},
    DeviceCommand{"kbx_msr_read_data", device_command::kCardReaderReadData},
    DeviceCommand{"kbx_fc_autoinput_on", device_command::kFunctionCardAutoInputOn},
    DeviceCommand{"kbx_fc_autoinput_off", device_command::kFunctionCardAutoInputOff},
    DeviceCommand{"kbx_fc_read_data", device_command::kFunctionCardReadData},
    DeviceCommand{"kbx_kl_autoinput_on", device_command::kKeyLockAutoInputOn},
    DeviceCommand{"kbx_kl_autoinput_off", device_command::kKeyLockAutoInputOff},
    DeviceCommand{"kbx_kl_read_data", device_command::kKeyLockReadData},
    DeviceCommand{"kbx_bar_autoinput_on", device_command::kBarcodeAutoInputOn},
    DeviceCommand{"kbx_bar_autoinput_off", device_command::kBarcodeAutoInputOff},
    DeviceCommand{"kbx_bar_read_data", device_command::kBarcodeReadData},
    DeviceCommand{"kbx_kvk_mode2", device_command::kInsuranceCardMode2},
    DeviceCommand{"kbx_kvk_mode1", device_command::kInsuranceCardMode1},
    DeviceCommand{"kbx_kvk_read_data", device_command::kInsuranceCardReadData},
    DeviceCommand{"kbx_beep", device_command::kBeep},
    DeviceCommand{"kbx_msr_delete_data", device_command::kCardReaderDeleteData},
    DeviceCommand{"kbx_fat_finger_off", device_command::kFatFingerOff},
    DeviceCommand{"kbx_fat_finger_on", device_command::kFatFingerOn},
    DeviceCommand{"kbx_msr_cancel_read", device_command::kCardReaderCancelRead},
};

// The command an export sends; a name that is not in the table does not compile.
consteval const DeviceCommand& deviceCommand(std::string_view exportName) {
    for (const DeviceCommand& command : kDeviceCommands) {
        if (command.exportName == exportName) return command;
    }
    throw "no device command of that name";
}

// The frame prefix and the command's byte; 0, or 1 when the bracket or a byte failed.
int runDeviceCommand(FuncState& state, const DeviceCommand& command);
// The frame prefix, the track selection command and the tracks to read (0-7; above that 1 and nothing sent).
int setReaderTracks(FuncState& state, std::uint8_t tracks);
// The frame prefix and the LED command of state 0, 1 or 2 (any other: 1, nothing sent).
int setReaderLeds(FuncState& state, std::uint8_t ledState);
// The frame prefix, the barcode configuration or data command, the text and
// its closing 0x00:
// the failed byte's result, else that of the closing 0x00. A missing text
// sends nothing and fails.
std::uint8_t sendBarcodeConfig(FuncState& state, const char* text);
std::uint8_t sendBarcodeData(FuncState& state, const char* text);

}  // namespace kbxfunc
