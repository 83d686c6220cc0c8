#include "tools/kbxdump/header_settings.h"

#include <array>
#include <string_view>

#include "compiler/setting_names.h"
#include "format/image_layout.h"
#include "tools/kbxdump/text_format.h"

namespace kbxdump {
namespace {

namespace img = kbx::image;
namespace names = kbxc::names;

constexpr std::uint8_t kUnusedHighBit = 0x80;
constexpr std::string_view kShiftLockBehaviour = "ShiftLock behaviour";
constexpr std::string_view kCapsLockBehaviour = "CapsLock behaviour";

constexpr int kFullVolume = 255;
constexpr int kPercent = 100;
constexpr int kDurationUnitMs = 20;

std::string highBitNote(std::uint8_t value) { return (value & kUnusedHighBit) ? ", bit 7 set" : ""; }

}  // namespace

std::string describeLanguageByte(std::uint8_t value) {
    const unsigned interfaceIndex = value & img::kInterfaceBits;
    std::string text = "interface ";
    text += interfaceIndex < names::kInterfaces.size() ? std::string(names::kInterfaces[interfaceIndex])
                                                       : std::to_string(interfaceIndex) + " (unknown)";
    text += ", ";
    text += (value & img::kShiftLockBit) ? kShiftLockBehaviour : kCapsLockBehaviour;
    text += ", language ";
    text += names::kLanguages[(value & img::kLanguageBits) >> img::kLanguageShift];
    return text + highBitNote(value);
}

std::string describeSerialByte(std::uint8_t value) {
    if (value == 0) return "none";
    if (!(value & img::kSerialInUse)) return "none (bit 7 clear, other bits " + hexByte(value) + ")";
    std::string text = std::to_string(names::kBaudRates[value & img::kBaudBits]) + " baud, parity ";
    text += names::kParities[(value & img::kParityBits) >> img::kParityShift];
    text += (value & img::kEightDataBits) ? ", 8 data bits" : ", 7 data bits";
    text += (value & img::kHandshake) ? ", RTS/CTS handshake" : ", no handshake";
    return text;
}

std::string describeRateByte(std::uint8_t value) {
    const std::uint8_t code = value & img::kRateBits;
    std::string text = "rate code " + hexByte(code) + " (unknown)";
    for (std::size_t i = 0; i < names::kRateCodes.size(); ++i) {
        if (names::kRateCodes[i] == code) text = std::string(names::kRates[i]) + " per second";
    }
    text += ", delay " + std::string(names::kDelays[(value & img::kDelayBits) >> img::kDelayShift]) + " ms";
    return text + highBitNote(value);
}

int volumePercent(std::uint8_t volume) { return (volume * kPercent + kFullVolume - 1) / kFullVolume; }

int durationMilliseconds(std::uint8_t duration) { return duration * kDurationUnitMs; }

}  // namespace kbxdump
