#include "editor/persist/layout_lines.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "editor/document/catalogue.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/caption_text.h"
#include "editor/persist/line_format.h"
#include "editor/persist/programming_part.h"
#include "editor/persist/text_scanner.h"
#include "platform/code_pages.h"

namespace kbxdoc::persist {
namespace {

constexpr std::string_view kZovezizMarker = "ZOD";
// The version line names the Zoveziz form with this word; a version text
// read back from such a line carries it, so it keeps the form on the next save.
constexpr std::string_view kZovezizWord = "ZOVEZIZ";
constexpr char kHandshakeOff = ' ';
constexpr std::size_t kMemoryLineMinimum = 3;  // a memory text of 2 characters or fewer is not written
constexpr std::string_view kMsrWordSeparator = ", ";

char rowLetter(const KeyRecord& key) { return static_cast<char>('A' + key.row); }
int columnNumber(const KeyRecord& key) { return key.column + 1; }

std::string printSettingsTail(const CaptionSettings& settings) {
    return formatLine("%.2lf;%.2lf;%.2lf;%.2lf;%8X;%8X;%X;%X;%X;%X;%X;%s", settings.leftMargin, settings.topMargin,
                      settings.lineSpacing, settings.fontHeight, static_cast<unsigned>(settings.keyColour),
                      static_cast<unsigned>(settings.textColour), static_cast<unsigned>(settings.font.weight),
                      static_cast<unsigned>(settings.font.italic), static_cast<unsigned>(settings.font.underline),
                      static_cast<unsigned>(settings.font.strikeOut), static_cast<unsigned>(settings.font.charSet),
                      settings.font.faceName.c_str());
}

}  // namespace

std::string typeLine(const KeyboardData& keyboard) {
    if (!keyboard.foreignTypeLine.empty()) return keyboard.foreignTypeLine.str();
    return std::string(typeStatement(keyboard.model));
}

std::optional<std::string> memoryLine(const KeyboardData& keyboard) {
    if (keyboard.memoryText.size() < kMemoryLineMinimum) return std::nullopt;
    return formatLine("MEMORY %s", keyboard.memoryText.c_str());
}

std::string versionLine(const KeyboardData& keyboard) {
    const std::string_view version = keyboard.versionText.view();
    // The compiler looks for the marks in upper-cased text.
    if (containsIgnoringCase(version, kZovezizMarker) || containsIgnoringCase(version, kZovezizWord))
        return formatLine("VERSION  ZOVEZIZ  %s", kWriterVersion);
    return formatLine("VERSION  %s", kWriterVersion);
}

std::string interfaceLine(const KeyboardData& keyboard) {
    std::string line = formatLine("INTERFACE %s", keyboard.interfaceName.c_str());
    if (keyboard.interfaceName.size() == kSerialInterface.size() &&
        startsWithIgnoringCase(keyboard.interfaceName.view(), kSerialInterface)) {
        line += formatLine(":%d,%s,%d,%c", keyboard.baud, keyboard.parity.c_str(), keyboard.dataBits,
                           keyboard.handshake != 0 ? kHandshakeLetter : kHandshakeOff);
    }
    return line;
}

std::string soundLine(const KeyboardData& keyboard) {
    return formatLine("SOUND %d,%d,%d,%d", keyboard.clickVolume, keyboard.clickDuration, keyboard.alarmVolume,
                      keyboard.alarmDuration);
}

std::string rateLine(const KeyboardData& keyboard) {
    return formatLine("RATE %d,%d,%s", keyboard.rate, keyboard.delay, keyboard.slowKeyRate.c_str());
}

std::string languageLine(const KeyboardData& keyboard) {
    // The compiler refuses an empty language; it starts from its first one.
    const std::string_view code =
        keyboard.languageCode.empty() ? kCompilerLanguages.front().code : keyboard.languageCode.view();
    std::string line = "LANGUAGE " + std::string(code);
    if (keyboard.shiftLock != 0) {
        line += ",S";
    } else if (keyboard.capsLock != 0) {
        line += ",C";
    }
    return line;
}

std::string hotkeyLines(const KeyboardData& keyboard) {
    if (keyboard.hotkeyMode == 1) return "HOTKEY0 -C: \"{MakeSYS}\"\r\nHOTKEY1 +C: \"{MakeSYS}\"";
    return "HOTKEY0 : \"{EMPTY}\"\r\nHOTKEY1 : \"{EMPTY}\"";
}

std::string modeLine(const KeyboardData& keyboard) {
    std::string line = "MODE ";
    for (const ModuleWord& module : kModuleSwitchWords) {
        if (keyboard.keys[module.slot].moduleOption1 == 0) (line += '-') += module.word;
    }
    (line += '+') += kCardReaderModeWord;
    line += formatLine("%d", static_cast<int>(keyboard.keys[kCardReaderSlot].moduleOption1 & kCardReaderModeMask));
    if (keyboard.chainedKeyboardInit == 0) (line += '-') += kChainedKeyboardOffWord;
    return line;
}

std::string readerOptionsLine(const KeyboardData& keyboard) {
    std::string line = "MSR ";
    const auto addWord = [&line](std::string_view word) { (line += word) += kMsrWordSeparator; };
    if (keyboard.keys[kMsrSlot].moduleOption2 == 0) addWord(kSentinelsOffWord);
    for (const ModuleWord& track : kTrackOffWords) {
        if (keyboard.keys[track.slot].moduleOption1 == 0) addWord(track.word);
    }
    if (keyboard.msrThreeTrack != 0) addWord(kThreeTrackWord);
    if (keyboard.msrLrc != 0) addWord(kLrcWord);
    line += formatLine(": \"%s\"", kbx::platform::ansiToOem(keyboard.msrBadRead.view()).c_str());
    return line;
}

std::optional<std::string> otherModeLine(const KeyboardData& keyboard) {
    if (keyboard.otherModeSwitches.empty()) return std::nullopt;
    return "MODE " + keyboard.otherModeSwitches.str();
}

std::string globalPrintLine(const KeyboardData& keyboard) {
    return std::string(kGlobalPrintTag) + printSettingsTail(keyboard.captionDefaults);
}

std::string keyboardSizeLine(const KeyboardData& keyboard) {
    return formatLine("!@KEYBOARDSIZE:%.2lf;%.2lf", keyboard.width, keyboard.height);
}

std::string statementLine(const KeyboardData& keyboard, Statement statement) {
    using Builder = std::string (*)(const KeyboardData&);
    static constexpr std::array<Builder, kStatementCount> kBuilders{
        typeLine, versionLine, interfaceLine, soundLine, rateLine, languageLine, hotkeyLines, modeLine,
        readerOptionsLine,
    };
    return kBuilders[static_cast<std::size_t>(statement)](keyboard);
}

std::optional<std::string> writtenStatementLine(const KeyboardData& keyboard, Statement statement) {
    std::string line = statementLine(keyboard, statement);
    const auto& absent = keyboard.absentStatementLines;
    if (std::find(absent.begin(), absent.end(), line) != absent.end()) return std::nullopt;
    return line;
}

std::optional<std::string> keyPrintLine(const KeyRecord& key) {
    if (key.captionSize == 0 || key.caption.empty()) return std::nullopt;
    return formatLine("!@KEYPRINT:%c%02d \"", rowLetter(key), columnNumber(key)) +
           captionForFile(std::string_view(key.caption).substr(0, kMaxCaptionLength)) + "\";" +
           printSettingsTail(key.captionSettings);
}

std::optional<std::string> keySizeLine(const KeyRecord& key) {
    const Rect& shape = key.templateGeometry;
    if (shape.width == 0 || shape.height == 0 || key.current == shape) return std::nullopt;
    return formatLine("!@KEYSIZE:%c%02d %.2lf;%.2lf;%.2lf;%.2lf", rowLetter(key), columnNumber(key), key.current.left,
                      key.current.top, key.current.width, key.current.height);
}

std::string layerLine(const LayerDefinition& layer) { return std::string(kLayerTag) + layer.name.str(); }

std::string keyLineName(const KeyRecord& key, int slot) {
    const std::string_view pseudo = pseudoKeyName(slot);
    if (!pseudo.empty()) return std::string(pseudo);
    return formatLine("%c%02d", rowLetter(key), columnNumber(key));
}

std::optional<std::string> keyProgrammingLine(const KeyRecord& key, int slot, const LayerDefinition& layer,
                                              int layerIndex) {
    const LayerEntry& entry = key.layers[layerIndex];
    if (entry.programming.empty()) return std::nullopt;
    std::string line = keyLineName(key, slot);
    for (const ConditionLetters& condition : kConditionLetters) {
        const unsigned value = fieldValue(layer.conditions, condition.field);
        if (value == kFieldOn) line += '+';
        if (value == kFieldOff) line += '-';
        if (value == kFieldOn || value == kFieldOff) line += condition.letters;
    }
    const std::uint32_t attributes = writtenAttributes(entry.attributes, layer.defaultAttributes);
    for (const AttributeLetter& attribute : kAttributeLetters) {
        if (fieldValue(attributes, attribute.field) == kFieldOn) {
            line += '/';
            line += attribute.letter;
        }
    }
    line += ": ";
    line += programmingPart(kbx::platform::ansiToOem(entry.programming.view()));
    return line;
}

std::optional<std::string> keyAttributesLine(const KeyRecord& key, int slot, int layerIndex) {
    const LayerEntry& entry = key.layers[layerIndex];
    if (entry.programming.empty()) return std::nullopt;
    const std::string_view pseudo = pseudoKeyName(slot);
    if (!pseudo.empty()) return std::string(kKeyAttributesTag) + std::string(pseudo);
    return formatLine("!@KEYATTRIB:%c%02d %08X", rowLetter(key), columnNumber(key),
                      static_cast<unsigned>(entry.attributes));
}

}  // namespace kbxdoc::persist
