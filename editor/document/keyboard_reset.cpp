#include <array>
#include <string_view>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"

namespace kbxdoc {

namespace {

// The model a reset document has until a layout or a file says otherwise.
constexpr int kResetModel = 3;

constexpr int kResetClickVolume = 33;
constexpr int kResetClickDuration = 40;
constexpr int kResetAlarmVolume = 100;
constexpr int kResetAlarmDuration = 400;
constexpr int kResetBaud = 9600;
constexpr int kResetDataBits = 8;
constexpr int kResetHandshake = 0;
constexpr std::string_view kResetParity = "O";
constexpr std::string_view kResetInterface = "AT";
constexpr std::string_view kResetLanguage = "US";
constexpr int kResetHotkeyMode = 0;
constexpr int kResetShiftLock = 1;
constexpr int kResetCapsLock = 0;
constexpr int kResetRate = 20;
constexpr int kResetDelay = 500;
constexpr std::string_view kResetSlowKeyRate = "DEFAULT";
// Memory and version texts of a new layout; both are too short to be written.
constexpr std::string_view kResetSettingText = "0";

// Module switches held in the option bytes of the module pseudo keys; a
// value of -1 leaves that byte as it is.
struct ModuleOptionReset {
    int slot;
    int option1;
    int option2;
};
constexpr std::array kModuleOptionResets{
    ModuleOptionReset{185, 1, -1},  // card-reader mode BA0-BA2
    ModuleOptionReset{187, 1, -1},  // KLH: key lock present
    ModuleOptionReset{191, 1, -1},  // FIH: function card reader present
    ModuleOptionReset{193, 1, -1},  // BCH: barcode reader present
    ModuleOptionReset{194, 1, -1},  // M3T: track 3 on
    ModuleOptionReset{196, 1, -1},  // M2T: track 2 on
    ModuleOptionReset{198, 1, -1},  // M1T: track 1 on
    ModuleOptionReset{199, 1, 1},   // M1H: reader present, sends sentinels
};

void resetModuleOptions(KeyboardData& keyboard) {
    for (const ModuleOptionReset& reset : kModuleOptionResets) {
        KeyRecord& key = keyboard.keys[static_cast<std::size_t>(reset.slot)];
        if (reset.option1 >= 0) key.moduleOption1 = static_cast<std::uint8_t>(reset.option1);
        if (reset.option2 >= 0) key.moduleOption2 = static_cast<std::uint8_t>(reset.option2);
    }
}

}  // namespace

void resetKeyboardData(const ActiveContext& context) {
    if (context.keyboard == nullptr) return;
    KeyboardData& keyboard = *context.keyboard;
    keyboard.model = kResetModel;
    keyboard.foreignTypeLine = std::string_view();
    keyboard.absentStatementLines.clear();
    keyboard.otherModeSwitches = std::string_view();
    keyboard.clickVolume = kResetClickVolume;
    keyboard.clickDuration = kResetClickDuration;
    keyboard.alarmVolume = kResetAlarmVolume;
    keyboard.alarmDuration = kResetAlarmDuration;
    keyboard.baud = kResetBaud;
    keyboard.dataBits = kResetDataBits;
    keyboard.handshake = kResetHandshake;
    keyboard.parity = kResetParity;
    keyboard.interfaceName = kResetInterface;
    keyboard.languageCode = kResetLanguage;
    keyboard.hotkeyMode = kResetHotkeyMode;
    keyboard.shiftLock = kResetShiftLock;
    keyboard.capsLock = kResetCapsLock;
    keyboard.rate = kResetRate;
    keyboard.delay = kResetDelay;
    keyboard.slowKeyRate = kResetSlowKeyRate;
    keyboard.memoryText = kResetSettingText;
    keyboard.versionText = kResetSettingText;
    resetModuleOptions(keyboard);
    keyboard.msrThreeTrack = 0;
    keyboard.msrLrc = 0;
    keyboard.captionDefaults.lineSpacing = 0;  // the layout sets the other caption defaults
    ActiveContext layoutContext = context;
    layOutKeys(layoutContext, false);
}

}  // namespace kbxdoc
