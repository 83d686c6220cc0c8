// Directives for the mode bytes: module and mode switches (MODE) and the
// magnetic stripe reader options (MSR).
#include <array>

#include "compiler/compile_state.h"
#include "compiler/directives.h"
#include "compiler/line_cursor.h"
#include "compiler/quoted_text.h"

namespace kbxc {
namespace {

constexpr char kUnknownModeSign[] = "unknown sign '+-'";
constexpr char kUnknownParameter[] = "unknown parameter";

enum class ModeByte { a, b, c };
enum class Effect {
    plusSets,   // "+" sets the bit, "-" clears it
    minusSets,  // "-" sets the bit, "+" clears it
    barcode,    // a fixed barcode setting: mode byte A bit 6 and B bit 0
    globalAscii,
};

struct ModeSwitch {
    std::string_view name;  // matched as a prefix of the text behind the sign
    Effect effect;
    ModeByte byte;
    std::uint8_t bit;
    bool barcodeA;  // barcode: value of mode byte A bit 6
    bool barcodeB;  // barcode: value of mode byte B bit 0
};

constexpr std::array<ModeSwitch, 19> kModeSwitches{{
    {"T1", Effect::plusSets, ModeByte::a, 0x01, false, false},
    {"T2", Effect::plusSets, ModeByte::a, 0x02, false, false},
    {"T3", Effect::plusSets, ModeByte::a, 0x04, false, false},
    {"MSR", Effect::plusSets, ModeByte::a, 0x08, false, false},
    {"FCR", Effect::plusSets, ModeByte::a, 0x10, false, false},
    {"KL", Effect::plusSets, ModeByte::a, 0x20, false, false},
    {"KVK", Effect::plusSets, ModeByte::a, 0x40, false, false},
    {"BCR", Effect::plusSets, ModeByte::a, 0x80, false, false},
    {"BA0", Effect::barcode, ModeByte::a, 0, true, false},
    {"BA1", Effect::barcode, ModeByte::a, 0, false, false},
    {"BA2", Effect::barcode, ModeByte::a, 0, true, true},
    {"EF", Effect::minusSets, ModeByte::b, 0x02, false, false},
    {"EC", Effect::minusSets, ModeByte::b, 0x04, false, false},
    {"SE", Effect::minusSets, ModeByte::b, 0x08, false, false},
    {"MCO", Effect::plusSets, ModeByte::c, 0x80, false, false},
    {"M3", Effect::plusSets, ModeByte::b, 0x20, false, false},
    {"MCS", Effect::plusSets, ModeByte::b, 0x10, false, false},
    {"IEK", Effect::minusSets, ModeByte::b, 0x40, false, false},
    {"GCA", Effect::globalAscii, ModeByte::a, 0, false, false},
}};
constexpr std::uint8_t kBarcodeBitA = 0x40;
constexpr std::uint8_t kBarcodeBitB = 0x01;

void setBit(std::uint8_t& byte, std::uint8_t bit, bool on) {
    byte = on ? std::uint8_t(byte | bit) : std::uint8_t(byte & ~bit);
}

std::uint8_t& modeByte(KeyboardSettings& keyboard, ModeByte which) {
    switch (which) {
        case ModeByte::b: return keyboard.modeB;
        case ModeByte::c: return keyboard.modeC;
        case ModeByte::a: break;
    }
    return keyboard.modeA;
}

void applySwitch(const ModeSwitch& entry, bool plus, KeyboardSettings& keyboard) {
    switch (entry.effect) {
        case Effect::plusSets: setBit(modeByte(keyboard, entry.byte), entry.bit, plus); break;
        case Effect::minusSets: setBit(modeByte(keyboard, entry.byte), entry.bit, !plus); break;
        case Effect::barcode:
            setBit(keyboard.modeA, kBarcodeBitA, entry.barcodeA);
            setBit(keyboard.modeB, kBarcodeBitB, entry.barcodeB);
            break;
        case Effect::globalAscii: keyboard.conversion.globalAscii = true; break;
    }
}

// Reader options: each item and what it does to mode byte A or B.
struct ReaderOption {
    std::string_view name;
    ModeByte byte;
    std::uint8_t bit;
    bool on;
};
constexpr std::array<ReaderOption, 7> kReaderOptions{{
    {"NA", ModeByte::a, 0x08, false},
    {"N1", ModeByte::a, 0x01, false},
    {"N2", ModeByte::a, 0x02, false},
    {"N3", ModeByte::a, 0x04, false},
    {"NSE", ModeByte::b, 0x08, true},
    {"LRC", ModeByte::b, 0x10, true},
    {"M3", ModeByte::b, 0x20, true},
}};
constexpr std::uint8_t kAllTracks = 0x07;
constexpr std::uint8_t kReaderOptionBitsB = 0x38;

}  // namespace

void handleMode(std::string_view, LineCursor& cursor, CompileState& state) {
    while (!cursor.atEnd()) {
        const char sign = cursor.peek();
        if (sign == ',') {
            cursor.advance();
            continue;
        }
        if (sign != '+' && sign != '-') {
            state.diagnostics.reportLineError(kUnknownModeSign);
            return;
        }
        cursor.advance();
        const ModeSwitch* found = nullptr;
        for (const ModeSwitch& entry : kModeSwitches) {
            if (cursor.startsWith(entry.name)) {
                found = &entry;
                break;
            }
        }
        if (found == nullptr) {
            state.diagnostics.reportLineError(kUnknownParameter);
            continue;
        }
        cursor.advance(found->name.size());
        applySwitch(*found, sign == '+', state.keyboard);
    }
}

void handleReader(std::string_view, LineCursor& cursor, CompileState& state) {
    KeyboardSettings& keyboard = state.keyboard;
    keyboard.modeA |= kAllTracks;
    keyboard.modeB &= std::uint8_t(~kReaderOptionBitsB);

    const auto optionFollows = [&] {
        const std::string_view rest = cursor.rest();
        const std::size_t comma = rest.find(',');
        return comma != std::string_view::npos && comma < rest.find('"');
    };
    while (optionFollows()) {
        const std::string_view item = cursor.readField();
        const ReaderOption* found = nullptr;
        for (const ReaderOption& option : kReaderOptions) {
            if (option.name == item) found = &option;
        }
        if (found == nullptr) {
            state.diagnostics.reportLineError(kUnknownParameter);
            continue;
        }
        setBit(modeByte(keyboard, found->byte), found->bit, found->on);
    }

    const std::string_view text = betweenFirstAndLastQuote(cursor.rest());
    keyboard.readerError.assign(text.begin(), text.end());
    cursor.skipToEnd();
}

}  // namespace kbxc
