#include "tools/kbxpos/interpreter.h"

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
constexpr int kLongestWaitMs = 600'000;

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

std::optional<int> number(std::string_view text, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

void report(Session& session, std::string_view label, int result) {
    session.out << label << ": ";
    if (result == 0) {
        session.out << "ok\n";
    } else {
        session.out << "failed (" << result << ")\n";
    }
    session.out.flush();
}

After mistake(Session& session, std::string_view command, std::string_view what) {
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

After leds(Session& session, std::string_view rest) {
    const std::optional<int> value = number(rest, 0, std::numeric_limits<std::uint8_t>::max());
    if (!value) return mistake(session, "leds", "expects a number from 0 to 255");
    report(session, "leds", session.pointOfSale.readerLeds(static_cast<std::uint8_t>(*value)));
    return After::Continue;
}

After tracks(Session& session, std::string_view rest) {
    const std::optional<int> value = number(rest, 0, std::numeric_limits<std::uint8_t>::max());
    if (!value) return mistake(session, "tracks", "expects a number from 0 to 255");
    report(session, "tracks", session.pointOfSale.readerTracks(static_cast<std::uint8_t>(*value)));
    return After::Continue;
}

After language(Session& session, std::string_view rest) {
    constexpr int kLastLanguage = 7;
    const std::optional<int> value = number(rest, 0, kLastLanguage);
    if (!value) return mistake(session, "language", "expects a number from 0 to 7");
    report(session, "language", session.pointOfSale.setLanguage(*value));
    return After::Continue;
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
    constexpr int kAny = std::numeric_limits<int>::max();
    if (const std::optional<int> row = number(words.first, 0, kAny)) {
        const Words position = splitFirst(words.rest);
        const std::optional<int> column = number(position.first, -kAny, kAny);
        if (!column) return mistake(session, "display", "expects ROW COLUMN TEXT");
        report(session, "display", pos.display(utf8ToAnsi(position.rest), *row, *column));
        return After::Continue;
    }
    int value = 0;
    if (!words.rest.empty()) {
        const std::optional<int> given = number(words.rest, -kAny, kAny);
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
    const std::optional<int> milliseconds = number(rest, 0, kLongestWaitMs);
    if (!milliseconds) return mistake(session, "wait", "expects milliseconds from 0 to 600000");
    session.wait(*milliseconds);
    return After::Continue;
}

After quit(Session&, std::string_view) { return After::Quit; }

After help(Session& session, std::string_view) {
    printCommands(session.out);
    session.out.flush();
    return After::Continue;
}

struct Command {
    std::string_view name;
    std::string_view usage;
    After (*run)(Session&, std::string_view rest);
};

constexpr std::array kCommands{
    Command{"beep", "beep                      sound the keyboard's beeper", &beep},
    Command{"msr", "msr on|off|read           card reader: automatic input on or off, send stored data", &cardReader},
    Command{"barcode", "barcode config|data TEXT  configuration or data for the barcode reader", &barcode},
    Command{"leds", "leds N                    card reader LEDs (0, 1, 2)", &leds},
    Command{"tracks", "tracks N                  card tracks to read (0-7)", &tracks},
    Command{"language", "language N                the national keyboard of module data (0 US ... 7 Spanish)",
            &language},
    Command{"display", "display open|close        open or close the customer display\n  "
                       "display ROW COLUMN TEXT   write TEXT at ROW (from 1) and COLUMN (from 1)\n  "
                       "display KEYWORD [VALUE]   a display command, e.g. display CLEAR, display SETROW 4",
            &display},
    Command{"interface", "interface KEYWORD         choose the interface: AUTO, USB, 2000, NT, W95, W98, ME",
            &interface},
    Command{"wait", "wait MS                   let the library work for MS milliseconds", &wait},
    Command{"help", "help                      this list", &help},
    Command{"quit", "quit                      end the program (so does the end of the input)", &quit},
};

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
    for (const Command& command : kCommands) out << "  " << command.usage << '\n';
}

}  // namespace kbxpos
