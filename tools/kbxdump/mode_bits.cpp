#include "tools/kbxdump/mode_bits.h"

#include <array>
#include <string_view>

#include "compiler/setting_names.h"
#include "format/image_layout.h"

namespace kbxdump {
namespace {

namespace names = kbxc::names;
using names::ModeByte;
using names::ModeEffect;

constexpr std::string_view kNoBaSetting = "no BA setting (B bit 0 without A bit 6)";

constexpr std::uint8_t kUnnamedBitOfB = 0x80;
constexpr std::string_view kUnnamedBitNote = "bit 7 set";

const names::ModeSwitch* switchFor(ModeByte which, std::uint8_t bit) {
    for (const names::ModeSwitch& entry : names::kModeSwitches) {
        const bool setsOneBit = entry.effect == ModeEffect::plusSets || entry.effect == ModeEffect::minusSets;
        if (setsOneBit && entry.byte == which && entry.bit == bit) return &entry;
    }
    return nullptr;
}

const names::ReaderOption* readerOptionFor(ModeByte which, std::uint8_t bit) {
    for (const names::ReaderOption& option : names::kReaderOptions) {
        if (option.byte == which && option.bit == bit) return &option;
    }
    return nullptr;
}

// The MODE switches of one byte in bit order, each with the sign that gives
// the bit's value, and the MSR option that gives the same value in brackets.
std::string describeBits(ModeByte which, std::uint8_t value) {
    std::string text;
    for (unsigned bit = 0x01; bit <= 0x80; bit <<= 1) {
        const names::ModeSwitch* entry = switchFor(which, std::uint8_t(bit));
        if (entry == nullptr) continue;
        const bool set = (value & bit) != 0;
        if (!text.empty()) text += ' ';
        text += set == (entry->effect == ModeEffect::plusSets) ? '+' : '-';
        text += entry->name;
        const names::ReaderOption* option = readerOptionFor(which, std::uint8_t(bit));
        if (option != nullptr && option->name != entry->name && set == option->on) {
            text += '(';
            text += option->name;
            text += ')';
        }
    }
    return text;
}

}  // namespace

std::string describeModeByteA(std::uint8_t modeA) { return describeBits(ModeByte::a, modeA); }

std::string describeModeByteB(std::uint8_t modeA, std::uint8_t modeB) {
    const bool bitOfA = (modeA & names::kBarcodeBitA) != 0;
    const bool bitOfB = (modeB & names::kBarcodeBitB) != 0;
    std::string text(kNoBaSetting);
    for (const names::ModeSwitch& setting : names::kModeSwitches) {
        if (setting.effect == ModeEffect::barcode && setting.barcodeA == bitOfA && setting.barcodeB == bitOfB) {
            text = setting.name;
        }
    }
    text += ' ' + describeBits(ModeByte::b, modeB);
    if (modeB & kUnnamedBitOfB) {
        text += ' ';
        text += kUnnamedBitNote;
    }
    return text;
}

std::string describeModeByteC(std::uint8_t modeC) {
    const int speed = modeC & kbx::image::kSlowOutputBits;
    std::string text = describeBits(ModeByte::c, modeC) + ", slow output " + std::to_string(speed);
    for (std::size_t i = 0; i < names::kSlowOutputCodes.size(); ++i) {
        if (names::kSlowOutputCodes[i] == speed) return text + ' ' + std::string(names::kSlowOutputs[i]);
    }
    return text + " (no letter)";
}

}  // namespace kbxdump
