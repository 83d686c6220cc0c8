// Directives for the keyboard as a whole: model, country, host interface,
// sounds, typematic rate, number base, memory size, controller variant.
#include <array>

#include "compiler/compile_state.h"
#include "compiler/directives.h"
#include "compiler/line_cursor.h"
#include "compiler/setting_names.h"
#include "format/image_layout.h"

namespace kbxc {
namespace {

constexpr char kUnknownType[] = "unknown type";
constexpr char kUnknownLanguage[] = "unknown language";
constexpr char kUnknownLockSign[] = "unknown sign. 'S' or 'C' expected";
constexpr char kUnknownInterface[] = "unknown Interface";
constexpr char kUnknownBaudrate[] = "unknown baudrate";
constexpr char kUnknownParity[] = "unknown parity";
constexpr char kUnknownDataLength[] = "unknown datalengh";
constexpr char kUnknownHandshake[] = "unknown parameter 'H' expected";
constexpr char kZeroDuration[] = "duration 0 not allowed (set volume to 0)";
constexpr char kValueOutOfRange[] = "value out of range";
constexpr char kUnknownSoundCode[] = "unknown SNDx-code";
constexpr char kUnknownRate[] = "unknown typematic rate";
constexpr char kUnknownDelay[] = "unknown delay code";
constexpr char kUnknownSlowOutput[] = "unknown slow output speed";
constexpr char kUnknownBase[] = "unknown character, expect 'H' or 'Z'";
constexpr char kBadMemory[] = "MEMORY - check MEMORY size parameter";

using names::kLanguageCodes;
using names::kLanguages;
namespace img = kbx::image;

constexpr int kInterfaceCom = 2;
constexpr std::uint8_t kSerialDefault = 0xE2;  // 9600, O, 7 data bits, no handshake


constexpr long long kMinimumMemory = 512;
constexpr std::array<std::string_view, 2> kAlternativeControllerMarks{"ZOD", "ZOVEZIZ"};

std::uint8_t withBits(std::uint8_t byte, std::uint8_t bits, std::uint8_t value) {
    return std::uint8_t((byte & ~bits) | (value & bits));
}

constexpr long long kMaxVolumePercent = 100;
constexpr long long kMaxSoundByte = 255;
constexpr long long kMillisecondsPerUnit = 20;

// A volume and a duration of one sound, as the image stores them.
struct SoundBytes {
    std::uint8_t& volume;
    std::uint8_t& duration;
};

// Whether a duration of 0 is refused (SOUND) or stored as it is (SNDK, SNDA).
enum class ZeroDuration { refused, stored };

// Reads a volume in percent and a duration in ms into the sound's bytes; an
// empty value leaves its byte. False after an error, which ends the line: a
// refused zero duration, or a value too large for its byte, which is not
// stored.
bool readSound(LineCursor& cursor, const SoundBytes& sound, ZeroDuration zero, CompileState& state) {
    Diagnostics& diagnostics = state.diagnostics;
    const bool hex = state.keyboard.hexadecimalBase;
    const long long volume = readNumber(cursor, hex, diagnostics);
    if (volume > kMaxVolumePercent) {
        diagnostics.reportLineError(kValueOutOfRange);
        return false;
    }
    if (volume != kNoNumber) sound.volume = std::uint8_t(volume * kMaxSoundByte / kMaxVolumePercent);
    const long long duration = readNumber(cursor, hex, diagnostics);
    if (duration == 0 && zero == ZeroDuration::refused) {
        diagnostics.reportLineError(kZeroDuration);
        return false;
    }
    if (duration / kMillisecondsPerUnit > kMaxSoundByte) {
        diagnostics.reportLineError(kValueOutOfRange);
        return false;
    }
    if (duration != kNoNumber) sound.duration = std::uint8_t(duration / kMillisecondsPerUnit);
    return true;
}

}  // namespace

void handleType(std::string_view, LineCursor& cursor, CompileState& state) {
    const int model = modelForTypeField(cursor.readField());
    if (model < 0) {
        state.diagnostics.reportLineError(kUnknownType);
        return;
    }
    KeyboardSettings& keyboard = state.keyboard;
    keyboard.model = std::uint8_t(model);
    if (keyboard.memorySize == KeyboardSettings::kDefaultMemory) keyboard.memorySize = modelInfo(model).defaultMemory;
}

void handleLanguage(std::string_view, LineCursor& cursor, CompileState& state) {
    KeyboardSettings& keyboard = state.keyboard;
    const int language = readField(cursor, kLanguages, Match::containment);
    if (language < 0) {
        state.diagnostics.reportLineError(kUnknownLanguage);
    } else {
        keyboard.languageByte = std::uint8_t((keyboard.languageByte & img::kInterfaceBits) | kLanguageCodes[language]);
        keyboard.conversion.language = language;
    }
    const int lock = readField(cursor, names::kLockBehaviours, Match::exact);
    if (lock == kFieldUnknown) {
        state.diagnostics.reportLineError(kUnknownLockSign);
    } else if (lock >= 0) {
        keyboard.languageByte = withBits(keyboard.languageByte, img::kShiftLockBit, lock == 1 ? img::kShiftLockBit : 0);
    }
    keyboard.conversion.shiftLock = (keyboard.languageByte & img::kShiftLockBit) != 0;
}

void handleInterface(std::string_view, LineCursor& cursor, CompileState& state) {
    std::string& text = cursor.text();
    const std::size_t colon = text.find(':', cursor.position());
    if (colon != std::string::npos) text[colon] = ',';

    KeyboardSettings& keyboard = state.keyboard;
    Diagnostics& diagnostics = state.diagnostics;
    const int interface = readField(cursor, names::kInterfaces, Match::exact);
    if (interface < 0) {
        diagnostics.reportLineError(kUnknownInterface);
        return;
    }
    keyboard.languageByte = withBits(keyboard.languageByte, img::kInterfaceBits, std::uint8_t(interface));
    if (interface != kInterfaceCom) return;

    std::uint8_t serial = kSerialDefault;
    const auto storeSerial = [&] { keyboard.serialByte = serial; };
    const int baud = readField(cursor, names::kBaudFields, Match::containment);
    if (baud == kFieldUnknown) {
        storeSerial();
        diagnostics.reportLineError(kUnknownBaudrate);
        return;
    }
    if (baud >= 0) serial = withBits(serial, img::kBaudBits, std::uint8_t(baud));
    const int parity = readField(cursor, names::kParities, Match::exact);
    if (parity == kFieldUnknown) {
        storeSerial();
        diagnostics.reportLineError(kUnknownParity);
        return;
    }
    if (parity >= 0) serial = withBits(serial, img::kParityBits, std::uint8_t((parity & 3) << img::kParityShift));
    const int dataBits = readField(cursor, names::kDataBits, Match::exact);
    if (dataBits == kFieldUnknown) {
        storeSerial();
        diagnostics.reportLineError(kUnknownDataLength);
        return;
    }
    if (dataBits == 1) serial |= img::kEightDataBits;
    const std::string_view handshake = cursor.readField();
    if (handshake == "H") {
        serial |= img::kHandshake;
    } else if (!handshake.empty()) {
        storeSerial();
        diagnostics.reportLineError(kUnknownHandshake);
        return;
    }
    storeSerial();
}

void handleSound(std::string_view, LineCursor& cursor, CompileState& state) {
    KeyboardSettings& keyboard = state.keyboard;
    const SoundBytes click{keyboard.clickVolume, keyboard.clickDuration};
    const SoundBytes alarm{keyboard.alarmVolume, keyboard.alarmDuration};
    if (readSound(cursor, click, ZeroDuration::refused, state)) readSound(cursor, alarm, ZeroDuration::refused, state);
}

void handleSingleSound(std::string_view keyword, LineCursor& cursor, CompileState& state) {
    KeyboardSettings& keyboard = state.keyboard;
    const std::size_t at = keyword.find("SND") + 3;
    const char which = at < keyword.size() ? keyword[at] : '\0';
    if (which == 'K') {
        readSound(cursor, {keyboard.clickVolume, keyboard.clickDuration}, ZeroDuration::stored, state);
    } else if (which == 'A') {
        readSound(cursor, {keyboard.alarmVolume, keyboard.alarmDuration}, ZeroDuration::stored, state);
    } else {
        state.diagnostics.reportLineError(kUnknownSoundCode);
    }
}

void handleRate(std::string_view, LineCursor& cursor, CompileState& state) {
    KeyboardSettings& keyboard = state.keyboard;
    Diagnostics& diagnostics = state.diagnostics;
    const int rate = readField(cursor, names::kRates, Match::exact);
    if (rate == kFieldUnknown) {
        diagnostics.reportLineError(kUnknownRate);
        return;
    }
    if (rate >= 0) keyboard.rate = withBits(keyboard.rate, img::kRateBits, names::kRateCodes[rate]);
    const int delay = readField(cursor, names::kDelays, Match::exact);
    if (delay < 0) {
        diagnostics.reportLineError(kUnknownDelay);
        return;
    }
    keyboard.rate = withBits(keyboard.rate, img::kDelayBits, std::uint8_t(delay << img::kDelayShift));
    const int slow = lookUp(cursor.readField().substr(0, 1), names::kSlowOutputs, Match::exact);
    if (slow == kFieldUnknown) {
        diagnostics.reportLineError(kUnknownSlowOutput);
        return;
    }
    if (slow >= 0) keyboard.modeC = withBits(keyboard.modeC, img::kSlowOutputBits, names::kSlowOutputCodes[slow]);
}

void handleBase(std::string_view, LineCursor& cursor, CompileState& state) {
    const char base = cursor.peek();
    if (base == 'H' || base == 'Z') {
        state.keyboard.hexadecimalBase = base == 'H';
    } else {
        state.diagnostics.reportLineError(kUnknownBase);
    }
}

void handleMemory(std::string_view, LineCursor& cursor, CompileState& state) {
    const long long size = readNumber(cursor, state.keyboard.hexadecimalBase, state.diagnostics);
    if (size >= kMinimumMemory) {
        state.keyboard.memorySize = size;
    } else {
        state.diagnostics.reportLineError(kBadMemory);
    }
}

void handleVersion(std::string_view, LineCursor& cursor, CompileState& state) {
    for (std::string_view mark : kAlternativeControllerMarks) {
        if (cursor.rest().find(mark) != std::string_view::npos) state.keyboard.alternativeController = true;
    }
}

}  // namespace kbxc
