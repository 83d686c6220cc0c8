#include "editor/persist/directive_lines.h"

#include <array>
#include <cctype>
#include <string>

#include "editor/document/catalogue.h"
#include "editor/persist/kept_lines.h"
#include "editor/persist/text_scanner.h"
#include "platform/code_pages.h"

namespace kbxdoc::persist {
namespace {

// The values an INTERFACE statement starts from.
constexpr int kDefaultBaud = 9600;
constexpr int kDefaultDataBits = 8;
constexpr std::string_view kDefaultParity = "O";
constexpr std::string_view kSerialInterface = "COM";
constexpr std::array<std::string_view, 2> kPortInterfaces{"AT", "PC"};
constexpr std::size_t kSerialSettingsStart = 4;  // "COM:" precedes the settings
constexpr char kHandshakeLetter = 'H';
constexpr std::string_view kSystemRequestHotkey = "MAKESYS";
constexpr std::size_t kLanguageCodeLength = 2;

std::string_view afterBlanks(std::string_view text) {
    TextScanner scanner(text);
    scanner.skipBlanks();
    return scanner.rest();
}

void readLanguage(ActiveContext& context, std::string_view text) {
    KeyboardData& keyboard = *context.keyboard;
    keyboard.languageCode = text.substr(0, kLanguageCodeLength);
    if (text.size() < 4 || text[2] != ',') return;
    if (text[3] == 'S') {
        keyboard.shiftLock = 1;
        keyboard.capsLock = 0;
    } else if (text[3] == 'C') {
        keyboard.capsLock = 1;
        keyboard.shiftLock = 0;
    }
}

void readInterface(ActiveContext& context, std::string_view text) {
    KeyboardData& keyboard = *context.keyboard;
    keyboard.baud = kDefaultBaud;
    keyboard.dataBits = kDefaultDataBits;
    keyboard.handshake = 0;
    keyboard.parity = kDefaultParity;
    for (std::string_view port : kPortInterfaces) {
        if (startsWithIgnoringCase(text, port)) {
            keyboard.interfaceName = port;
            return;
        }
    }
    keyboard.interfaceName = kSerialInterface;
    if (text.size() <= kSerialSettingsStart) return;
    TextScanner scanner(text.substr(kSerialSettingsStart));
    const auto baud = scanner.readInt();
    if (!baud) return;
    keyboard.baud = *baud;
    if (!scanner.consume(',')) return;
    const auto parity = scanner.readChar();
    if (!parity) return;
    keyboard.parity = std::string(1, *parity);
    if (!scanner.consume(',')) return;
    const auto dataBits = scanner.readInt();
    if (!dataBits) return;
    keyboard.dataBits = *dataBits;
    if (!scanner.consume(',')) return;
    if (const auto handshake = scanner.readChar()) keyboard.handshake = *handshake == kHandshakeLetter ? 1 : 0;
}

// Reads "%d,%d,..." into the fields in order, up to the first that does not parse.
template <std::size_t N>
TextScanner readIntegers(std::string_view text, const std::array<int*, N>& fields) {
    TextScanner scanner(text);
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0 && !scanner.consume(',')) break;
        const auto value = scanner.readInt();
        if (!value) break;
        *fields[i] = *value;
    }
    return scanner;
}

void readSound(ActiveContext& context, std::string_view text) {
    KeyboardData& keyboard = *context.keyboard;
    readIntegers(text, std::array{&keyboard.clickVolume, &keyboard.clickDuration, &keyboard.alarmVolume,
                                  &keyboard.alarmDuration});
}

void readRate(ActiveContext& context, std::string_view text) {
    KeyboardData& keyboard = *context.keyboard;
    TextScanner scanner(text);
    const auto rate = scanner.readInt();
    if (!rate) return;
    keyboard.rate = *rate;
    if (!scanner.consume(',')) return;
    const auto delay = scanner.readInt();
    if (!delay) return;
    keyboard.delay = *delay;
    if (!scanner.consume(',')) return;
    const std::string_view name = scanner.readWord();
    if (!name.empty()) keyboard.slowKeyRate = name;
}

void keepDefinition(ActiveContext& context, std::string_view line) { keepLine(*context.keyboard, line); }

void readHotkey(ActiveContext& context, std::string_view text) {
    context.keyboard->hotkeyMode = containsIgnoringCase(text, kSystemRequestHotkey) ? 1 : 0;
}

// MODE words after a sign. kChainedKeyboard stands for the chained-keyboard
// initialisation instead of a slot; kUnchanged: that sign does nothing.
constexpr int kChainedKeyboard = -1;
constexpr int kUnchanged = -1;
struct ModeWord {
    std::string_view word;
    int slot;
    int ifMinus;
    int ifPlus;
};
constexpr std::array kModeWords{
    ModeWord{"MSR", 199, 0, 1},
    ModeWord{"BCR", 193, 0, 1},
    ModeWord{"FCR", 191, 0, 1},
    ModeWord{"KL", 187, 0, 1},
    ModeWord{"KVK", 185, 1, 0},
    ModeWord{"IEK", kChainedKeyboard, 0, kUnchanged},
    ModeWord{"BA0", 185, kUnchanged, 0},
    ModeWord{"BA1", 185, kUnchanged, 1},
    ModeWord{"BA2", 185, kUnchanged, 2},
};

void applyModeWord(KeyboardData& keyboard, const ModeWord& mode, bool plus) {
    const int value = plus ? mode.ifPlus : mode.ifMinus;
    if (value == kUnchanged) return;
    if (mode.slot == kChainedKeyboard) {
        keyboard.chainedKeyboardInit = value;
    } else {
        keyboard.keys[mode.slot].moduleOption1 = static_cast<std::uint8_t>(value);
    }
}

void readMode(ActiveContext& context, std::string_view text) {
    KeyboardData& keyboard = *context.keyboard;
    keyboard.chainedKeyboardInit = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-' && text[i] != '+') continue;
        const std::string_view after = text.substr(i + 1);
        for (const ModeWord& mode : kModeWords) {
            if (startsWithIgnoringCase(after, mode.word)) {
                applyModeWord(keyboard, mode, text[i] == '+');
                break;
            }
        }
    }
}

enum class MsrTarget { Option1, Option2, ThreeTrack, Lrc };
struct MsrWord {
    std::string_view word;
    MsrTarget target;
    int slot;
};
constexpr std::array kMsrWords{
    MsrWord{"NSE", MsrTarget::Option2, 199}, MsrWord{"N1", MsrTarget::Option1, 198},
    MsrWord{"N2", MsrTarget::Option1, 196},  MsrWord{"N3", MsrTarget::Option1, 194},
    MsrWord{"M3", MsrTarget::ThreeTrack, 0}, MsrWord{"LRC", MsrTarget::Lrc, 0},
};
constexpr std::array kMsrTrackSlots{198, 196, 194};
constexpr int kMsrSlot = 199;

void applyMsrWord(KeyboardData& keyboard, const MsrWord& msr) {
    switch (msr.target) {
        case MsrTarget::Option1: keyboard.keys[msr.slot].moduleOption1 = 0; break;
        case MsrTarget::Option2: keyboard.keys[msr.slot].moduleOption2 = 0; break;
        case MsrTarget::ThreeTrack: keyboard.msrThreeTrack = 1; break;
        case MsrTarget::Lrc: keyboard.msrLrc = 1; break;
    }
}

void readMsr(ActiveContext& context, std::string_view text) {
    KeyboardData& keyboard = *context.keyboard;
    for (int slot : kMsrTrackSlots) keyboard.keys[slot].moduleOption1 = 1;
    keyboard.keys[kMsrSlot].moduleOption2 = 1;
    keyboard.msrThreeTrack = 0;
    keyboard.msrLrc = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            std::size_t end = i + 1;
            while (end < text.size() && text[end] != '"' && !isControl(text[end])) ++end;
            const std::string_view quoted = text.substr(i + 1, end - i - 1);
            if (!quoted.empty()) keyboard.msrBadRead = kbx::platform::oemToAnsi(quoted);
            i = end + 1;
            continue;
        }
        const std::string_view at = text.substr(i);
        const MsrWord* match = nullptr;
        for (const MsrWord& msr : kMsrWords) {
            if (startsWithIgnoringCase(at, msr.word)) {
                match = &msr;
                break;
            }
        }
        if (match != nullptr) {
            applyMsrWord(keyboard, *match);
            i += match->word.size();
        } else {
            ++i;
        }
    }
}

void readType(ActiveContext& context, std::string_view text) {
    std::string keyword(text);
    for (char& c : keyword) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (const auto model = modelForTypeKeyword(keyword)) setModelAndLayOut(context, *model, false);
}

void readVersion(ActiveContext& context, std::string_view text) { context.keyboard->versionText = text; }

void readMemory(ActiveContext& context, std::string_view text) { context.keyboard->memoryText = text; }

struct Directive {
    std::string_view keyword;  // matched as a prefix of the line, letter case ignored
    bool passesWholeLine;      // the handler gets the line itself, not the text after the keyword
    void (*read)(ActiveContext&, std::string_view);
};

constexpr std::array kDirectives{
    Directive{"LANGUAGE", false, readLanguage}, Directive{"INTERFACE", false, readInterface},
    Directive{"SOUND", false, readSound},       Directive{"DEFINE", true, keepDefinition},
    Directive{"HOTKEY0", false, readHotkey},    Directive{"HOTKEY1", false, readHotkey},
    Directive{"MODE", false, readMode},         Directive{"MSR", false, readMsr},
    Directive{"RATE", false, readRate},         Directive{"TYPE", false, readType},
    Directive{"VERSION", false, readVersion},   Directive{"MEMORY", false, readMemory},
};

}  // namespace

bool readDirectiveLine(ActiveContext& context, std::string_view line) {
    for (const Directive& directive : kDirectives) {
        if (!startsWithIgnoringCase(line, directive.keyword)) continue;
        directive.read(context, directive.passesWholeLine ? line : afterBlanks(line.substr(directive.keyword.size())));
        return true;
    }
    return false;
}

}  // namespace kbxdoc::persist
