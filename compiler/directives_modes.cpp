// Directives for the mode bytes: module and mode switches (MODE) and the
// magnetic stripe reader options (MSR).
#include <array>

#include "compiler/compile_state.h"
#include "compiler/directives.h"
#include "compiler/line_cursor.h"
#include "compiler/quoted_text.h"
#include "compiler/setting_names.h"
#include "format/image_layout.h"

namespace kbxc {
namespace {

constexpr char kUnknownModeSign[] = "unknown sign '+-'";
constexpr char kUnknownParameter[] = "unknown parameter";

using names::kBarcodeBitA;
using names::kBarcodeBitB;
using names::kModeSwitches;
using names::kReaderOptions;
using names::ModeByte;
using names::ModeEffect;
using names::ModeSwitch;
using names::ReaderOption;

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
        case ModeEffect::plusSets: setBit(modeByte(keyboard, entry.byte), entry.bit, plus); break;
        case ModeEffect::minusSets: setBit(modeByte(keyboard, entry.byte), entry.bit, !plus); break;
        case ModeEffect::barcode:
            setBit(keyboard.modeA, kBarcodeBitA, entry.barcodeA);
            setBit(keyboard.modeB, kBarcodeBitB, entry.barcodeB);
            break;
        case ModeEffect::globalAscii: keyboard.conversion.globalAscii = true; break;
    }
}

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
    // A block holds at most kMaxBlockData bytes; a longer text is refused whole.
    if (text.size() > kbx::image::kMaxBlockData) {
        state.diagnostics.reportLineError(kStringTooLong);
    } else {
        keyboard.readerError.assign(text.begin(), text.end());
    }
    cursor.skipToEnd();
}

}  // namespace kbxc
