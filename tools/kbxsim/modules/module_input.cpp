#include "tools/kbxsim/modules/module_input.h"

#include <array>
#include <optional>
#include <vector>

namespace kbxsim {
namespace {

struct ModuleMarker {
    Module module;
    std::uint8_t marker;
};

constexpr std::array kMarkers{
    ModuleMarker{Module::track1, 0x62},  ModuleMarker{Module::track2, 0x63},
    ModuleMarker{Module::track3, 0x64},  ModuleMarker{Module::barcode, 0x65},
    ModuleMarker{Module::keylock, 0x66}, ModuleMarker{Module::functionCard, 0x67},
};

constexpr std::size_t kTrackCount = 3;
constexpr char kBlank = ' ';
constexpr char kQuote = '"';
constexpr std::string_view kEmptyTrack = "-";
constexpr std::string_view kBlanks = " \t\r\n";

// Reads the commands of one line.
using Handler = ModuleInput (*)(std::string_view rest, KeyboardLanguage language);

struct Command {
    std::string_view words;  // the command's words, one blank between them
    Handler handle;
};

void append(KeyEvents& events, const KeyEvents& more) { events.insert(events.end(), more.begin(), more.end()); }

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Words separated by blanks; a word in quotes keeps its blanks. Nothing when a
// quote is not closed.
std::optional<std::vector<std::string>> wordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        if (kBlanks.find(text[at]) != std::string_view::npos) {
            ++at;
            continue;
        }
        if (text[at] == kQuote) {
            const std::size_t end = text.find(kQuote, at + 1);
            if (end == std::string_view::npos) return std::nullopt;
            words.emplace_back(text.substr(at + 1, end - at - 1));
            at = end + 1;
            continue;
        }
        const std::size_t end = std::min(text.find_first_of(kBlanks, at), text.size());
        words.emplace_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

ModuleInput typed(std::string_view rest, KeyboardLanguage language) {
    return {typeText(oemFromUtf8(rest), language), {}};
}

ModuleInput framedInput(Module module, std::string_view rest, KeyboardLanguage language) {
    return {framed(module, oemFromUtf8(rest), language), {}};
}

ModuleInput swiped(std::string_view rest, KeyboardLanguage language) {
    const auto words = wordsOf(rest);
    if (!words) return {{}, "a quote is not closed"};
    if (words->empty() || words->size() > kTrackCount) return {{}, "swipe needs one to three tracks"};
    std::array<std::string, kTrackCount> tracks{};
    for (std::size_t i = 0; i < words->size(); ++i) {
        tracks[i] = (*words)[i] == kEmptyTrack ? std::string{} : oemFromUtf8((*words)[i]);
    }
    return {swipe(tracks[0], tracks[1], tracks[2], language), {}};
}

ModuleInput keylock(std::string_view rest, KeyboardLanguage language) {
    const std::string_view position = trimmed(rest);
    if (position.empty()) return {{}, "keylock needs a position"};
    return framedInput(Module::keylock, position, language);
}

constexpr std::array kCommands{
    Command{"swipe", swiped},
    Command{"barcode", [](std::string_view r, KeyboardLanguage l) { return framedInput(Module::barcode, r, l); }},
    Command{"keylock", keylock},
    Command{"card in", [](std::string_view r, KeyboardLanguage l) { return framedInput(Module::functionCard, r, l); }},
    Command{"card out",
            [](std::string_view r, KeyboardLanguage l) { return framedInput(Module::functionCard, r, l); }},
    Command{"type", typed},
};

// The rest of the line after `words` and one blank, when the line starts with them.
std::optional<std::string_view> restAfter(std::string_view line, std::string_view words) {
    if (!line.starts_with(words)) return std::nullopt;
    const std::string_view rest = line.substr(words.size());
    if (rest.empty()) return rest;
    if (rest.front() != kBlank) return std::nullopt;
    return rest.substr(1);
}

}  // namespace

std::uint8_t markerOf(Module module) {
    for (const ModuleMarker& entry : kMarkers) {
        if (entry.module == module) return entry.marker;
    }
    return kMarkers.front().marker;
}

KeyEvents framed(Module module, std::string_view oemText, KeyboardLanguage language) {
    const KeyEvents marker = keystroke(markerOf(module));
    KeyEvents events = marker;
    append(events, typeText(oemText, language));
    append(events, marker);
    return events;
}

KeyEvents swipe(std::string_view track1, std::string_view track2, std::string_view track3, KeyboardLanguage language) {
    KeyEvents events;
    const std::array<std::pair<Module, std::string_view>, kTrackCount> tracks{
        {{Module::track1, track1}, {Module::track2, track2}, {Module::track3, track3}}};
    for (const auto& [module, text] : tracks) {
        if (!text.empty()) append(events, framed(module, text, language));
    }
    return events;
}

ModuleInput parseModuleInput(std::string_view line, KeyboardLanguage language) {
    // A line break at the end is no part of the text.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    const std::size_t start = line.find_first_not_of(kBlank);
    line = start == std::string_view::npos ? std::string_view{} : line.substr(start);
    for (const Command& command : kCommands) {
        if (const auto rest = restAfter(line, command.words)) return command.handle(*rest, language);
    }
    return {{}, "unknown input \"" + std::string(line) + "\" (one of " + std::string(kModuleInputCommands) + ')'};
}

}  // namespace kbxsim
