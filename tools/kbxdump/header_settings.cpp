#include "tools/kbxdump/header_settings.h"

#include <array>
#include <string_view>

#include "tools/kbxdump/text_format.h"

namespace kbxdump {
namespace {

// Language byte: bits 0-2 interface, bit 3 lock behaviour, bits 4-6 language.
constexpr std::uint8_t kInterfaceBits = 0x07;
constexpr std::uint8_t kShiftLockBit = 0x08;
constexpr int kLanguageShift = 4;
constexpr std::uint8_t kLanguageBits = 0x07;
constexpr std::uint8_t kUnusedHighBit = 0x80;
constexpr std::array<std::string_view, 3> kInterfaces{"AT", "PC", "COM"};
constexpr std::array<std::string_view, 8> kLanguages{"US", "GR", "FR", "UK", "SG", "SF", "IT", "SP"};
constexpr std::string_view kShiftLockBehaviour = "ShiftLock behaviour";
constexpr std::string_view kCapsLockBehaviour = "CapsLock behaviour";

// Serial byte: bit 7 in use, bits 5-6 parity, bit 4 eight data bits, bit 3
// RTS/CTS handshake, bits 0-2 baud rate.
constexpr std::uint8_t kSerialInUseBit = 0x80;
constexpr int kParityShift = 5;
constexpr std::uint8_t kParityBits = 0x03;
constexpr std::uint8_t kEightDataBitsBit = 0x10;
constexpr std::uint8_t kHandshakeBit = 0x08;
constexpr std::uint8_t kBaudBits = 0x07;
constexpr std::array<int, 8> kBaudRates{38400, 19200, 9600, 4800, 2400, 1200, 600, 300};
constexpr std::array<char, 4> kParities{'N', 'M', 'E', 'O'};

// Rate byte: bits 0-4 rate code, bits 5-6 delay index.
constexpr std::uint8_t kRateBits = 0x1F;
constexpr int kDelayShift = 5;
constexpr std::uint8_t kDelayBits = 0x03;
struct TypematicRate {
    std::uint8_t code;
    int perSecond;
};
constexpr std::array<TypematicRate, 4> kTypematicRates{{{0x00, 30}, {0x04, 20}, {0x0C, 10}, {0x1F, 2}}};
constexpr std::array<int, 4> kDelaysMs{250, 500, 750, 1000};

constexpr int kFullVolume = 255;
constexpr int kPercent = 100;
constexpr int kDurationUnitMs = 20;

std::string highBitNote(std::uint8_t value) { return (value & kUnusedHighBit) ? ", bit 7 set" : ""; }

}  // namespace

std::string describeLanguageByte(std::uint8_t value) {
    const unsigned interfaceIndex = value & kInterfaceBits;
    std::string text = "interface ";
    text += interfaceIndex < kInterfaces.size() ? std::string(kInterfaces[interfaceIndex])
                                                : std::to_string(interfaceIndex) + " (unknown)";
    text += ", ";
    text += (value & kShiftLockBit) ? kShiftLockBehaviour : kCapsLockBehaviour;
    text += ", language ";
    text += kLanguages[(value >> kLanguageShift) & kLanguageBits];
    return text + highBitNote(value);
}

std::string describeSerialByte(std::uint8_t value) {
    if (value == 0) return "none";
    if (!(value & kSerialInUseBit)) return "none (bit 7 clear, other bits " + hexByte(value) + ")";
    std::string text = std::to_string(kBaudRates[value & kBaudBits]) + " baud, parity ";
    text += kParities[(value >> kParityShift) & kParityBits];
    text += (value & kEightDataBitsBit) ? ", 8 data bits" : ", 7 data bits";
    text += (value & kHandshakeBit) ? ", RTS/CTS handshake" : ", no handshake";
    return text;
}

std::string describeRateByte(std::uint8_t value) {
    const std::uint8_t code = value & kRateBits;
    std::string text = "rate code " + hexByte(code) + " (unknown)";
    for (const TypematicRate& rate : kTypematicRates) {
        if (rate.code == code) text = std::to_string(rate.perSecond) + " per second";
    }
    text += ", delay " + std::to_string(kDelaysMs[(value >> kDelayShift) & kDelayBits]) + " ms";
    return text + highBitNote(value);
}

int volumePercent(std::uint8_t volume) { return (volume * kPercent + kFullVolume - 1) / kFullVolume; }

int durationMilliseconds(std::uint8_t duration) { return duration * kDurationUnitMs; }

}  // namespace kbxdump
