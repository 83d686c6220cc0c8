#include "tools/kbxdump/mode_bits.h"

#include <array>
#include <string_view>

namespace kbxdump {
namespace {

enum class ModeByte { a, b, c };

struct ModeBit {
    ModeByte byte;
    std::uint8_t bit;
    std::string_view name;
    bool plusSets;             // `+NAME` sets the bit (else `-NAME` does)
    std::string_view msrItem;  // the MSR item giving the same value, if any
    bool msrItemSets;
};

// In bit order within each byte.
constexpr std::array kModeBits{
    ModeBit{ModeByte::a, 0x01, "T1", true, "N1", false},
    ModeBit{ModeByte::a, 0x02, "T2", true, "N2", false},
    ModeBit{ModeByte::a, 0x04, "T3", true, "N3", false},
    ModeBit{ModeByte::a, 0x08, "MSR", true, "NA", false},
    ModeBit{ModeByte::a, 0x10, "FCR", true, "", false},
    ModeBit{ModeByte::a, 0x20, "KL", true, "", false},
    ModeBit{ModeByte::a, 0x40, "KVK", true, "", false},
    ModeBit{ModeByte::a, 0x80, "BCR", true, "", false},
    ModeBit{ModeByte::b, 0x02, "EF", false, "", false},
    ModeBit{ModeByte::b, 0x04, "EC", false, "", false},
    ModeBit{ModeByte::b, 0x08, "SE", false, "NSE", true},
    ModeBit{ModeByte::b, 0x10, "MCS", true, "LRC", true},
    ModeBit{ModeByte::b, 0x20, "M3", true, "M3", true},
    ModeBit{ModeByte::b, 0x40, "IEK", false, "", false},
    ModeBit{ModeByte::c, 0x80, "MCO", true, "", false},
};

// Mode byte A bit 6 (shared with KVK) and mode byte B bit 0.
constexpr std::uint8_t kBaBitOfA = 0x40;
constexpr std::uint8_t kBaBitOfB = 0x01;
struct BaSetting {
    bool bitOfA;
    bool bitOfB;
    std::string_view name;
};
constexpr std::array<BaSetting, 3> kBaSettings{{{true, false, "BA0"}, {false, false, "BA1"}, {true, true, "BA2"}}};
constexpr std::string_view kNoBaSetting = "no BA setting (B bit 0 without A bit 6)";

constexpr std::uint8_t kUnnamedBitOfB = 0x80;
constexpr std::string_view kUnnamedBitNote = "bit 7 set";

// Mode byte C bits 0-6: slow output speed, one letter per RATE choice.
constexpr std::uint8_t kSlowOutputBits = 0x7F;
struct SlowOutput {
    std::uint8_t value;
    char letter;
};
constexpr std::array<SlowOutput, 5> kSlowOutputs{{{0, 'D'}, {32, 'F'}, {36, 'M'}, {63, 'V'}, {44, 'S'}}};

std::string describeBits(ModeByte which, std::uint8_t value) {
    std::string text;
    for (const ModeBit& bit : kModeBits) {
        if (bit.byte != which) continue;
        const bool set = (value & bit.bit) != 0;
        if (!text.empty()) text += ' ';
        text += set == bit.plusSets ? '+' : '-';
        text += bit.name;
        if (!bit.msrItem.empty() && bit.msrItem != bit.name && set == bit.msrItemSets) {
            text += '(';
            text += bit.msrItem;
            text += ')';
        }
    }
    return text;
}

}  // namespace

std::string describeModeByteA(std::uint8_t modeA) { return describeBits(ModeByte::a, modeA); }

std::string describeModeByteB(std::uint8_t modeA, std::uint8_t modeB) {
    const bool bitOfA = (modeA & kBaBitOfA) != 0;
    const bool bitOfB = (modeB & kBaBitOfB) != 0;
    std::string text(kNoBaSetting);
    for (const BaSetting& setting : kBaSettings) {
        if (setting.bitOfA == bitOfA && setting.bitOfB == bitOfB) text = setting.name;
    }
    text += ' ' + describeBits(ModeByte::b, modeB);
    if (modeB & kUnnamedBitOfB) {
        text += ' ';
        text += kUnnamedBitNote;
    }
    return text;
}

std::string describeModeByteC(std::uint8_t modeC) {
    const int speed = modeC & kSlowOutputBits;
    std::string text = describeBits(ModeByte::c, modeC) + ", slow output " + std::to_string(speed);
    for (const SlowOutput& output : kSlowOutputs) {
        if (output.value == speed) return text + ' ' + output.letter;
    }
    return text + " (no letter)";
}

}  // namespace kbxdump
