#include "editor/persist/directive_lines.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "editor/document/catalogue.h"
#include "editor/persist/kept_lines.h"
#include "editor/persist/layout_lines.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/source_line.h"
#include "editor/persist/text_scanner.h"
#include "platform/code_pages.h"

namespace kbxdoc::persist {
namespace {

// The values an INTERFACE statement starts from.
constexpr int kDefaultBaud = 9600;
constexpr int kDefaultDataBits = 8;
constexpr int kSerialDefaultDataBits = 7;  // what the compiler takes when a COM statement names none
constexpr std::string_view kDefaultParity = "O";
constexpr std::array<std::string_view, 2> kPortInterfaces{"AT", "PC"};
constexpr std::string_view kSystemRequestHotkey = "MAKESYS";
constexpr std::size_t kLanguageCodeLength = 2;

std::string_view afterBlanks(std::string_view text) {
    TextScanner scanner(text);
    scanner.skipBlanks();
    return scanner.rest();
}

constexpr char kShiftLockLetter = 'S';
constexpr char kCapsLockLetter = 'C';

void setLock(KeyboardData& keyboard, bool shiftLock) {
    keyboard.shiftLock = shiftLock ? 1 : 0;
    keyboard.capsLock = shiftLock ? 0 : 1;
}

const CompilerLanguage* languageNamedIn(std::string_view field) {
    if (field.empty()) return &kCompilerLanguages.front();
    for (const CompilerLanguage& entry : kCompilerLanguages) {
        if (field.find(entry.code) != std::string_view::npos) return &entry;
    }
    return nullptr;
}

// Read as the compiler reads it: the first language the first field
// contains, and the lock letter of the second; without one the language's
// own lock behaviour, which the writer then names. An empty first field
// leaves the compiler at its first language, so the document takes that one
// and the line written back is one the compiler accepts.
void readLanguage(ActiveContext& context, std::string_view line, ReaderState&) {
    KeyboardData& keyboard = *context.keyboard;
    const SourceLine source = normaliseSourceLine(line);
    const std::string_view arguments = directiveArguments(source);
    const std::size_t comma = arguments.find(',');
    const std::string_view field = arguments.substr(0, comma);
    const std::string_view lock = comma == std::string_view::npos ? std::string_view() : arguments.substr(comma + 1);
    const CompilerLanguage* language = languageNamedIn(field);
    keyboard.languageCode = language != nullptr ? language->code : field.substr(0, kLanguageCodeLength);
    if (lock.starts_with(kShiftLockLetter)) {
        setLock(keyboard, true);
    } else if (lock.starts_with(kCapsLockLetter)) {
        setLock(keyboard, false);
    } else if (lock.empty() && language != nullptr) {
        setLock(keyboard, language->shiftLock);
    }
}

// The fields of the statement as the compiler splits them: its first ':'
// counts as a comma.
std::vector<std::string_view> interfaceFields(std::string_view arguments) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= arguments.size(); ++i) {
        if (i == arguments.size() || arguments[i] == ',' || (arguments[i] == ':' && fields.empty())) {
            fields.push_back(arguments.substr(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

std::optional<int> leadingNumber(std::string_view field) {
    TextScanner scanner(field);
    return scanner.readInt();
}

// Read as the compiler reads it; a serial field the line leaves empty has the
// compiler's default (9600 baud, odd parity, 7 data bits, no handshake). A
// line naming no interface the compiler knows is kept as well, so it fails
// to compile as before.
void readInterface(ActiveContext& context, std::string_view line, ReaderState&) {
    KeyboardData& keyboard = *context.keyboard;
    keyboard.baud = kDefaultBaud;
    keyboard.dataBits = kDefaultDataBits;
    keyboard.handshake = 0;
    keyboard.parity = kDefaultParity;
    const SourceLine source = normaliseSourceLine(line);
    const std::vector<std::string_view> fields = interfaceFields(directiveArguments(source));
    const auto field = [&fields](std::size_t index) { return index < fields.size() ? fields[index] : std::string_view(); };
    for (std::string_view port : kPortInterfaces) {
        if (field(0) == port) {
            keyboard.interfaceName = port;
            return;
        }
    }
    keyboard.interfaceName = kSerialInterface;
    if (field(0) != kSerialInterface) {
        keepLine(keyboard, line);
        return;
    }
    keyboard.dataBits = kSerialDefaultDataBits;
    const auto baud = leadingNumber(field(1));
    const auto dataBits = leadingNumber(field(3));
    if ((!field(1).empty() && !baud) || (!field(3).empty() && !dataBits)) {
        keepLine(keyboard, line);  // a number the document cannot hold: the compiler has its say
        return;
    }
    if (baud) keyboard.baud = *baud;
    if (!field(2).empty()) keyboard.parity = field(2).substr(0, 1);
    if (dataBits) keyboard.dataBits = *dataBits;
    keyboard.handshake = field(4).starts_with(kHandshakeLetter) ? 1 : 0;
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

void readSound(ActiveContext& context, std::string_view text, ReaderState&) {
    KeyboardData& keyboard = *context.keyboard;
    readIntegers(text, std::array{&keyboard.clickVolume, &keyboard.clickDuration, &keyboard.alarmVolume,
                                  &keyboard.alarmDuration});
}

void readRate(ActiveContext& context, std::string_view text, ReaderState&) {
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

// The two hot-key statements the editor writes for each mode; any other is
// kept as it stands as well, and being later it decides that hot key.
constexpr std::array<std::string_view, 4> kEditorHotkeys{
    "HOTKEY0-C:\"{MAKESYS}\"", "HOTKEY1+C:\"{MAKESYS}\"", "HOTKEY0:\"{EMPTY}\"", "HOTKEY1:\"{EMPTY}\""};

void readHotkey(ActiveContext& context, std::string_view line, ReaderState& state) {
    context.keyboard->hotkeyMode = containsIgnoringCase(line, kSystemRequestHotkey) ? 1 : 0;
    const SourceLine source = normaliseSourceLine(line);
    std::string normalised = source.keyword + source.arguments;
    for (char& c : normalised) c = upperAscii(c);
    const bool editors = std::find(kEditorHotkeys.begin(), kEditorHotkeys.end(), normalised) != kEditorHotkeys.end();
    if (!editors) keepLine(*context.keyboard, line);
    const std::size_t number = source.keyword.back() == '1' ? 1 : 0;
    state.hotkeyLines[number] = editors ? std::string(line) : std::string();
    state.hotkeySeen[number] = true;
}

// One MODE word after its sign; false when the word is none of them.
bool applyModeWord(KeyboardData& keyboard, std::string_view word, bool plus) {
    for (const ModuleWord& module : kModuleSwitchWords) {
        if (startsWithIgnoringCase(word, module.word)) {
            keyboard.keys[module.slot].moduleOption1 = plus ? 1 : 0;
            return true;
        }
    }
    KeyRecord& cardReader = keyboard.keys[kCardReaderSlot];
    if (startsWithIgnoringCase(word, kCardReaderOffWord)) {
        cardReader.moduleOption1 = plus ? 0 : 1;
        return true;
    }
    if (!plus && startsWithIgnoringCase(word, kChainedKeyboardOffWord)) {
        keyboard.chainedKeyboardInit = 0;
        return true;
    }
    if (plus && startsWithIgnoringCase(word, kCardReaderModeWord)) {
        const char mode = word.size() > kCardReaderModeWord.size() ? word[kCardReaderModeWord.size()] : '\0';
        if (mode >= '0' && mode <= '2') {
            cardReader.moduleOption1 = static_cast<std::uint8_t>(mode - '0');
            return true;
        }
    }
    return false;
}

// Switches the document has no setting for ("+GCA", "-T1") are carried
// along and written back in the editor's MODE statement.
void readMode(ActiveContext& context, std::string_view text, ReaderState& state) {
    KeyboardData& keyboard = *context.keyboard;
    // A file's first MODE statement starts from the keyboard's default; a
    // later one changes only what it names.
    if (!state.sawStatement(Statement::mode)) keyboard.chainedKeyboardInit = 1;
    std::string others(keyboard.otherModeSwitches.view());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-' && text[i] != '+') continue;
        const std::string_view word = text.substr(i + 1);
        if (applyModeWord(keyboard, word, text[i] == '+')) continue;
        std::size_t length = 0;
        while (length < word.size() && (isDigit(word[length]) || upperAscii(word[length]) != lowerAscii(word[length])))
            ++length;
        others += text[i];
        for (char c : word.substr(0, length)) others += upperAscii(c);
    }
    keyboard.otherModeSwitches = others;
}

// One MSR word at the start of `text`: its length, or 0 when it is none of them.
std::size_t applyMsrWord(KeyboardData& keyboard, std::string_view text) {
    if (startsWithIgnoringCase(text, kSentinelsOffWord)) {
        keyboard.keys[kMsrSlot].moduleOption2 = 0;
        return kSentinelsOffWord.size();
    }
    for (const ModuleWord& track : kTrackOffWords) {
        if (startsWithIgnoringCase(text, track.word)) {
            keyboard.keys[track.slot].moduleOption1 = 0;
            return track.word.size();
        }
    }
    if (startsWithIgnoringCase(text, kThreeTrackWord)) {
        keyboard.msrThreeTrack = 1;
        return kThreeTrackWord.size();
    }
    if (startsWithIgnoringCase(text, kLrcWord)) {
        keyboard.msrLrc = 1;
        return kLrcWord.size();
    }
    return 0;
}

// An MSR statement turns the three tracks on and clears the reader's mode
// bits, which these MODE switches set: before it, they have no effect.
constexpr std::array<std::string_view, 6> kSwitchesMsrResets{"T1", "T2", "T3", "SE", "MCS", "M3"};

void dropSwitchesMsrResets(KeyboardData& keyboard) {
    const std::string_view others = keyboard.otherModeSwitches.view();
    std::string kept;
    std::size_t start = 0;
    while (start < others.size()) {
        std::size_t end = start + 1;
        while (end < others.size() && others[end] != '+' && others[end] != '-') ++end;
        const std::string_view word = others.substr(start + 1, end - start - 1);
        if (std::find(kSwitchesMsrResets.begin(), kSwitchesMsrResets.end(), word) == kSwitchesMsrResets.end())
            kept += others.substr(start, end - start);
        start = end;
    }
    keyboard.otherModeSwitches = kept;
}

void readMsr(ActiveContext& context, std::string_view text, ReaderState&) {
    KeyboardData& keyboard = *context.keyboard;
    dropSwitchesMsrResets(keyboard);
    for (const ModuleWord& track : kTrackOffWords) keyboard.keys[track.slot].moduleOption1 = 1;
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
        const std::size_t taken = applyMsrWord(keyboard, text.substr(i));
        i += taken > 0 ? taken : 1;
    }
}

// A model the catalogue does not have keeps its statement, so the file
// still compiles for that model.
void readType(ActiveContext& context, std::string_view line, ReaderState&) {
    const SourceLine source = normaliseSourceLine(line);
    if (const auto model = modelForTypeKeyword(directiveArguments(source))) {
        setModelAndLayOut(context, *model, false);
    } else {
        context.keyboard->foreignTypeLine = line;
    }
}

void readVersion(ActiveContext& context, std::string_view text, ReaderState&) { context.keyboard->versionText = text; }

void readMemory(ActiveContext& context, std::string_view text, ReaderState&) { context.keyboard->memoryText = text; }

struct Directive {
    std::string_view keyword;  // matched as a prefix of the line, letter case ignored
    bool passesWholeLine;      // the handler gets the line itself, not the text after the keyword
    void (*read)(ActiveContext&, std::string_view, ReaderState&);
    std::optional<Statement> statement;  // the statement the writer writes for it
};

constexpr std::array kDirectives{
    // LANG and KBID as the compiler names them: they choose the character
    // table of the key lines after them, so they are not kept at the end.
    Directive{"LANG", true, readLanguage, Statement::language},
    Directive{"KBID", true, readLanguage, Statement::language},
    Directive{"INTERFACE", true, readInterface, Statement::interface},
    Directive{"SOUND", false, readSound, Statement::sound},
    Directive{"HOTKEY0", true, readHotkey, std::nullopt},  // marked when both are there
    Directive{"HOTKEY1", true, readHotkey, std::nullopt},
    Directive{"MODE", false, readMode, Statement::mode},
    Directive{"MSR", false, readMsr, Statement::readerOptions},
    Directive{"RATE", false, readRate, Statement::rate},
    Directive{"TYPE", true, readType, Statement::type},
    Directive{"VERSION", false, readVersion, Statement::version},
    Directive{"MEMORY", false, readMemory, std::nullopt},
};

}  // namespace

void finishHotkeys(KeyboardData& keyboard, ReaderState& state) {
    if (state.hotkeySeen[0] && state.hotkeySeen[1]) {
        state.markStatement(Statement::hotkeys);
        return;
    }
    // With one hot key the editor's pair would change the other: the one
    // there is kept as it stands, the pair left out.
    for (const std::string& line : state.hotkeyLines) {
        if (!line.empty()) keepLine(keyboard, line);
    }
}

bool readDirectiveLine(ActiveContext& context, std::string_view line, ReaderState& state) {
    for (const Directive& directive : kDirectives) {
        if (!startsWithIgnoringCase(line, directive.keyword)) continue;
        const std::string_view text =
            directive.passesWholeLine ? line : afterBlanks(line.substr(directive.keyword.size()));
        directive.read(context, text, state);
        if (directive.statement) state.markStatement(*directive.statement);
        return true;
    }
    return false;
}

}  // namespace kbxdoc::persist
