#include "tools/kbxpos/interpreter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "tools/kbxpos/terminal_text.h"

namespace kbxpos {
namespace {

constexpr char kProgram[] = "kbxpos";

// The numbers a command accepts, from `lowest` to `highest` (kNoLimit: no
// upper bound). The parser checks them and the help prints them, so that
// both tell the same.
constexpr int kNoLimit = std::numeric_limits<int>::max();
struct Range {
    int lowest;
    int highest;
};
constexpr Range kLedStates{0, 2};            // the card reader's three LED commands
constexpr Range kTrackSets{0, 7};            // the tracks to read, one bit each
constexpr Range kLanguages{0, 7};            // 0 US ... 7 Spanish
constexpr Range kWaitMs{0, 600'000};         // at most ten minutes at a time
constexpr Range kDisplayPositions{1, kNoLimit};  // rows and columns count from 1
constexpr Range kAnyNumber{-kNoLimit, kNoLimit};

std::string rangeText(Range range) {
    std::string text = "from " + std::to_string(range.lowest);
    if (range.highest != kNoLimit) text += " to " + std::to_string(range.highest);
    return text;
}

// A command line split into its first word and the rest.
struct Words {
    std::string_view first;
    std::string_view rest;
};

Words splitFirst(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    text.remove_prefix(start);
    const std::size_t end = text.find(' ');
    if (end == std::string_view::npos) return {text, {}};
    std::string_view rest = text.substr(end + 1);
    const std::size_t restStart = rest.find_first_not_of(' ');
    rest = restStart == std::string_view::npos ? std::string_view{} : rest.substr(restStart);
    return {text.substr(0, end), rest};
}

std::optional<int> number(std::string_view text, Range range) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < range.lowest || value > range.highest) {
        return std::nullopt;
    }
    return value;
}

void report(Session& session, std::string_view label, int result) {
    if (result != 0) ++session.failedCommands;
    session.out << label << ": ";
    if (result == 0) {
        session.out << "ok\n";
    } else {
        session.out << "failed (" << result << ")\n";
    }
    session.out.flush();
}

After mistake(Session& session, std::string_view command, std::string_view what) {
    ++session.failedCommands;
    session.err << kProgram << ": " << command << ": " << what << '\n';
    session.err.flush();
    return After::Continue;
}

After beep(Session& session, std::string_view rest) {
    if (!rest.empty()) return mistake(session, "beep", "takes no argument");
    report(session, "beep", session.pointOfSale.beep());
    return After::Continue;
}

After cardReader(Session& session, std::string_view rest) {
    PointOfSale& pos = session.pointOfSale;
    if (rest == "on") {
        report(session, "msr on", pos.cardReaderAutomatic(true));
    } else if (rest == "off") {
        report(session, "msr off", pos.cardReaderAutomatic(false));
    } else if (rest == "read") {
        report(session, "msr read", pos.cardReaderRead());
    } else {
        return mistake(session, "msr", "expects on, off or read");
    }
    return After::Continue;
}

After barcode(Session& session, std::string_view rest) {
    const Words words = splitFirst(rest);
    const std::string text(words.rest);
    if (words.first == "config") {
        report(session, "barcode config", session.pointOfSale.barcodeConfig(text));
    } else if (words.first == "data") {
        report(session, "barcode data", session.pointOfSale.barcodeData(text));
    } else {
        return mistake(session, "barcode", "expects config TEXT or data TEXT");
    }
    return After::Continue;
}

// A command of one number within `range`: the call's result, or a mistake.
template <typename Call>
After oneNumber(Session& session, std::string_view command, std::string_view rest, Range range, Call call) {
    const std::optional<int> value = number(rest, range);
    if (!value) return mistake(session, command, "expects a number " + rangeText(range));
    report(session, command, call(*value));
    return After::Continue;
}

After leds(Session& session, std::string_view rest) {
    return oneNumber(session, "leds", rest, kLedStates,
                     [&](int value) { return session.pointOfSale.readerLeds(static_cast<std::uint8_t>(value)); });
}

After tracks(Session& session, std::string_view rest) {
    return oneNumber(session, "tracks", rest, kTrackSets,
                     [&](int value) { return session.pointOfSale.readerTracks(static_cast<std::uint8_t>(value)); });
}

After language(Session& session, std::string_view rest) {
    return oneNumber(session, "language", rest, kLanguages,
                     [&](int value) { return session.pointOfSale.setLanguage(value); });
}

// display open | close | ROW COLUMN TEXT | KEYWORD [VALUE]
After display(Session& session, std::string_view rest) {
    PointOfSale& pos = session.pointOfSale;
    const Words words = splitFirst(rest);
    if (words.first.empty()) return mistake(session, "display", "expects open, close, ROW COLUMN TEXT or KEYWORD");
    if (words.first == "open" && words.rest.empty()) {
        report(session, "display open", pos.displayOpen());
        return After::Continue;
    }
    if (words.first == "close" && words.rest.empty()) {
        report(session, "display close", pos.displayClose());
        return After::Continue;
    }
    // A first word that is a number (of any size) starts ROW COLUMN TEXT.
    if (number(words.first, kAnyNumber)) {
        const Words position = splitFirst(words.rest);
        const std::optional<int> row = number(words.first, kDisplayPositions);
        const std::optional<int> column = number(position.first, kDisplayPositions);
        if (!row || !column)
            return mistake(session, "display", "expects ROW COLUMN TEXT, ROW and COLUMN " + rangeText(kDisplayPositions));
        report(session, "display", pos.display(utf8ToAnsi(position.rest), *row, *column));
        return After::Continue;
    }
    int value = 0;
    if (!words.rest.empty()) {
        const std::optional<int> given = number(words.rest, kAnyNumber);
        if (!given) return mistake(session, "display", "a keyword takes one number");
        value = *given;
    }
    report(session, "display " + std::string(words.first), pos.display(std::string(words.first), 0, value));
    return After::Continue;
}

After interface(Session& session, std::string_view rest) {
    if (rest.empty()) return mistake(session, "interface", "expects AUTO, USB, 2000, NT, W95, W98 or ME");
    report(session, "interface", session.pointOfSale.setInterface(std::string(rest)));
    return After::Continue;
}

After wait(Session& session, std::string_view rest) {
    const std::optional<int> milliseconds = number(rest, kWaitMs);
    if (!milliseconds) return mistake(session, "wait", "expects milliseconds " + rangeText(kWaitMs));
    session.wait(*milliseconds);
    return After::Continue;
}

After quit(Session&, std::string_view) { return After::Quit; }

After help(Session& session, std::string_view) {
    printCommands(session.out);
    session.out.flush();
    return After::Continue;
}

// One row per form of a command; a command of several forms (display) has
// several rows, and the first row of a name is the one that runs it. The
// help line is the synopsis, the description and, where the form takes a
// number, "ARGUMENT from LOWEST to HIGHEST" from its range.
struct Command {
    std::string_view name;
    After (*run)(Session&, std::string_view rest);
    std::string_view synopsis;
    std::string_view description;
    std::string_view argument = {};  // the number the range is of
    const Range* range = nullptr;
};

constexpr std::array kCommands{
    Command{"beep", &beep, "beep", "sound the keyboard's beeper"},
    Command{"msr", &cardReader, "msr on|off|read", "card reader: automatic input on or off, send stored data"},
    Command{"barcode", &barcode, "barcode config|data TEXT", "configuration or data for the barcode reader"},
    Command{"leds", &leds, "leds N", "card reader LEDs", "N", &kLedStates},
    Command{"tracks", &tracks, "tracks N", "card tracks to read, one bit each", "N", &kTrackSets},
    Command{"language", &language, "language N", "the national keyboard of module data (0 US ... 7 Spanish)", "N",
            &kLanguages},
    Command{"display", &display, "display open|close", "open or close the customer display"},
    Command{"display", &display, "display ROW COLUMN TEXT", "write TEXT at ROW and COLUMN", "ROW and COLUMN",
            &kDisplayPositions},
    Command{"display", &display, "display KEYWORD [VALUE]", "a display command, e.g. display CLEAR, display SETROW 4"},
    Command{"interface", &interface, "interface KEYWORD", "choose the interface: AUTO, USB, 2000, NT, W95, W98, ME"},
    Command{"wait", &wait, "wait MS", "let the library work for MS milliseconds", "MS", &kWaitMs},
    Command{"help", &help, "help", "this list"},
    Command{"quit", &quit, "quit", "end the program (so does the end of the input)"},
};

constexpr std::size_t kSynopsisWidth = 26;

}  // namespace

After runCommandLine(std::string_view line, Session& session) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const Words words = splitFirst(line);
    if (words.first.empty() || words.first.starts_with('#')) return After::Continue;
    for (const Command& command : kCommands) {
        if (command.name == words.first) return command.run(session, words.rest);
    }
    return mistake(session, words.first, "unknown command (help lists them)");
}

void printCommands(std::ostream& out) {
    for (const Command& command : kCommands) {
        std::string line = "  " + std::string(command.synopsis);
        line.resize(std::max(line.size() + 1, kSynopsisWidth + 2), ' ');
        line += command.description;
        if (command.range != nullptr) line += ", " + std::string(command.argument) + " " + rangeText(*command.range);
        out << line << '\n';
    }
}

}  // namespace kbxpos
