#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "compiler/definition.h"

// The names of the keyboard-wide settings as the source language writes
// them, and the values they stand for in the image. The directives look
// fields up in these lists; kbxdump names image bytes with them.
namespace kbxc::names {

// LANG: the list index is the language number (bits 4-6 of the language
// byte) and the character table; GR and FR bring ShiftLock behaviour (bit 3).
inline constexpr std::array<std::string_view, 8> kLanguages{"US", "GR", "FR", "UK", "SG", "SF", "IT", "SP"};
inline constexpr std::array<std::uint8_t, 8> kLanguageCodes{0x00, 0x18, 0x28, 0x30, 0x40, 0x50, 0x60, 0x70};

// LANG, second field: CapsLock or ShiftLock behaviour (bit 3 clear or set).
inline constexpr std::array<std::string_view, 2> kLockBehaviours{"C", "S"};

// INTER: the index goes into bits 0-2 of the language byte.
inline constexpr std::array<std::string_view, 3> kInterfaces{"AT", "PC", "COM"};

// COM settings: baud fields are found by containment; the index goes into
// bits 0-2 of the serial byte, the parity index (AND 3) into bits 5-6.
inline constexpr std::array<std::string_view, 8> kBaudFields{"38", "19", "96", "48", "24", "12", "60", "30"};
inline constexpr std::array<int, 8> kBaudRates{38400, 19200, 9600, 4800, 2400, 1200, 600, 300};
inline constexpr std::array<std::string_view, 5> kParities{"N", "M", "E", "O", "S"};
inline constexpr std::array<std::string_view, 2> kDataBits{"7", "8"};

// RATE: characters per second and their rate codes (bits 0-4 of the rate
// byte), delays in ms (their index in bits 5-6), slow output speeds (bits
// 0-6 of mode byte C) by the first letter of their name.
inline constexpr std::array<std::string_view, 4> kRates{"30", "20", "10", "2"};
inline constexpr std::array<std::uint8_t, 4> kRateCodes{0x00, 0x04, 0x0C, 0x1F};
inline constexpr std::array<std::string_view, 4> kDelays{"250", "500", "750", "1000"};
inline constexpr std::array<std::string_view, 5> kSlowOutputs{"D", "F", "M", "V", "S"};
inline constexpr std::array<std::uint8_t, 5> kSlowOutputCodes{0, 32, 36, 63, 44};

// Conditions of a key line, in the order they are looked for: two-letter
// names before the letter they start with. K is the trigger, not a
// condition.
struct ConditionName {
    std::string_view letters;
    std::uint8_t bit;
};
inline constexpr std::array<ConditionName, 8> kConditions{{
    {"K", kTriggerBit},
    {"CL", kConditionCapsLock},
    {"NL", kConditionNumLock},
    {"SL", kConditionScrollLock},
    {"A", kConditionAlt},
    {"C", kConditionControl},
    {"S", kConditionShift},
    {"L", kConditionLayer},
}};

// Attributes of a key line; S, the standard set, has no bit of its own.
struct AttributeName {
    char letter;
    std::uint8_t bit;
};
inline constexpr std::array<AttributeName, 8> kAttributes{{
    {'K', kAttributeClick},
    {'A', kAttributeAutoRepeat},
    {'P', kAttributeProtected},
    {'M', kAttributeMakeBreak},
    {'R', kAttributeNoRestore},
    {'L', kAttributeSlowOutput},
    {'C', kAttributeCharacters},
    {'S', 0},
}};

// MODE switches and MSR options: which bit of which mode byte each sets.
enum class ModeByte { a, b, c };
enum class ModeEffect {
    plusSets,   // "+" sets the bit, "-" clears it
    minusSets,  // "-" sets the bit, "+" clears it
    barcode,    // a fixed barcode setting: mode byte A bit 6 and B bit 0
    globalAscii,
};
struct ModeSwitch {
    std::string_view name;  // matched as a prefix of the text behind the sign
    ModeEffect effect;
    ModeByte byte;
    std::uint8_t bit;
    bool barcodeA;  // barcode: value of mode byte A bit 6
    bool barcodeB;  // barcode: value of mode byte B bit 0
};
inline constexpr std::array<ModeSwitch, 19> kModeSwitches{{
    {"T1", ModeEffect::plusSets, ModeByte::a, 0x01, false, false},
    {"T2", ModeEffect::plusSets, ModeByte::a, 0x02, false, false},
    {"T3", ModeEffect::plusSets, ModeByte::a, 0x04, false, false},
    {"MSR", ModeEffect::plusSets, ModeByte::a, 0x08, false, false},
    {"FCR", ModeEffect::plusSets, ModeByte::a, 0x10, false, false},
    {"KL", ModeEffect::plusSets, ModeByte::a, 0x20, false, false},
    {"KVK", ModeEffect::plusSets, ModeByte::a, 0x40, false, false},
    {"BCR", ModeEffect::plusSets, ModeByte::a, 0x80, false, false},
    {"BA0", ModeEffect::barcode, ModeByte::a, 0, true, false},
    {"BA1", ModeEffect::barcode, ModeByte::a, 0, false, false},
    {"BA2", ModeEffect::barcode, ModeByte::a, 0, true, true},
    {"EF", ModeEffect::minusSets, ModeByte::b, 0x02, false, false},
    {"EC", ModeEffect::minusSets, ModeByte::b, 0x04, false, false},
    {"SE", ModeEffect::minusSets, ModeByte::b, 0x08, false, false},
    {"MCO", ModeEffect::plusSets, ModeByte::c, 0x80, false, false},
    {"M3", ModeEffect::plusSets, ModeByte::b, 0x20, false, false},
    {"MCS", ModeEffect::plusSets, ModeByte::b, 0x10, false, false},
    {"IEK", ModeEffect::minusSets, ModeByte::b, 0x40, false, false},
    {"GCA", ModeEffect::globalAscii, ModeByte::a, 0, false, false},
}};
inline constexpr std::uint8_t kBarcodeBitA = 0x40;
inline constexpr std::uint8_t kBarcodeBitB = 0x01;

struct ReaderOption {
    std::string_view name;
    ModeByte byte;
    std::uint8_t bit;
    bool on;
};
inline constexpr std::array<ReaderOption, 7> kReaderOptions{{
    {"NA", ModeByte::a, 0x08, false},
    {"N1", ModeByte::a, 0x01, false},
    {"N2", ModeByte::a, 0x02, false},
    {"N3", ModeByte::a, 0x04, false},
    {"NSE", ModeByte::b, 0x08, true},
    {"LRC", ModeByte::b, 0x10, true},
    {"M3", ModeByte::b, 0x20, true},
}};

}  // namespace kbxc::names
