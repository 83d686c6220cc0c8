// Directives that fill the variable parameter blocks: serial pass-through
// settings (PORT), character conversion entries (CONV) and 8-code
// parameter entries (PARA).
#include <array>
#include <string>

#include "compiler/compile_state.h"
#include "compiler/directives.h"
#include "compiler/line_cursor.h"
#include "compiler/programming_reader.h"
#include "compiler/quoted_text.h"
#include "format/image_layout.h"

namespace kbxc {
namespace {

constexpr char kUnknownParameter[] = "unknown parameter";
constexpr char kEmptyConversion[] = "Assignment conversion";
constexpr char kLongConversion[] = "more than 8 Scancodes";
constexpr char kTooFewCodes[] = "PARAM - less than 8 codes";
constexpr char kTooManyCodes[] = "PARAM - more than 8 codes";
constexpr char kUnknownParameterEntry[] = "PARAM - unknown";

// PORT items: indexes 0-6 baud rates, 7-9 parity, 10-11 data bits, 12-13
// stop bits, 14 no RTS.
constexpr std::array<std::string_view, 15> kPortItems{"96", "192", "48", "24", "12", "60", "30", "E",
                                                      "O",  "N",   "7",  "8",  "2",  "1",  "NRTS"};
constexpr std::array<std::string_view, 7> kPortBaudTexts{"9600", "19200", "4800", "2400",
                                                         "1200", "600",   "300"};
constexpr int kPortBaudCount = 7;
constexpr int kPortFirstParity = 7;
constexpr int kPortFirstDataBits = 10;
constexpr int kPortFirstStopBits = 12;
constexpr int kPortNoRts = 14;
constexpr std::uint8_t kPortTextStart = 0x01;
constexpr std::uint8_t kPortTextEnd = 0x04;
constexpr std::uint8_t kPortWithRts = 0x11;
constexpr std::uint8_t kPortWithoutRts = 0x13;

constexpr std::size_t kMaxConversionBytes = 8;
constexpr std::size_t kParameterCodes = 8;

struct PortSettings {
    int baud = 0;       // 9600
    int parity = 7;     // E
    int dataBits = 10;  // 7
    int stopBits = 12;  // 2
    bool noRts = false;
};

std::vector<std::uint8_t> portSettingsText(const PortSettings& port) {
    std::string text;
    text += char(kPortTextStart);
    text += kPortBaudTexts[std::size_t(port.baud)];
    text += ',';
    text += kPortItems[std::size_t(port.parity)];
    text += ',';
    text += kPortItems[std::size_t(port.dataBits)];
    text += ',';
    text += kPortItems[std::size_t(port.stopBits)];
    text += char(kPortTextEnd);
    text += char(port.noRts ? kPortWithoutRts : kPortWithRts);
    return {text.begin(), text.end()};
}

// Prefix bytes: "\xHH" a byte, "^c" a control character, a backslash makes
// the next character plain (upper-cased), everything else as it stands.
std::vector<std::uint8_t> portPrefixBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size();) {
        if (const auto escaped = hexEscape(text.substr(i))) {
            bytes.push_back(std::uint8_t(*escaped));
            i += 4;
        } else if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[i + 1];
            bytes.push_back(std::uint8_t((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c));
            i += 2;
        } else if (text[i] == '^' && i + 1 < text.size()) {
            const char c = text[i + 1];
            bytes.push_back(std::uint8_t(((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c) - 64));
            i += 2;
        } else if (text[i] == '\\') {
            ++i;  // a backslash at the very end stands for nothing
        } else {
            bytes.push_back(std::uint8_t(text[i++]));
        }
    }
    return bytes;
}

// The character a CONV line converts: "\xHH", "^c" or "'c" in the text.
std::optional<std::uint8_t> conversionCharacter(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const auto escaped = hexEscape(text.substr(i))) return std::uint8_t(*escaped);
        if (i + 1 >= text.size()) break;
        if (text[i] == '^') {
            const char c = text[i + 1];
            return std::uint8_t(((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c) - 64);
        }
        if (text[i] == '\'') return std::uint8_t(text[i + 1]);
    }
    return std::nullopt;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void appendBounded(std::vector<std::uint8_t>& block, const std::vector<std::uint8_t>& entry) {
    if (block.size() + entry.size() > kbx::image::kMaxBlockData) return;
    block.insert(block.end(), entry.begin(), entry.end());
}

}  // namespace

void handlePort(std::string_view, LineCursor& cursor, CompileState& state) {
    const std::string_view rest = cursor.rest();
    const std::string_view items = rest.substr(0, rest.find('"'));
    PortSettings port;
    std::size_t start = 0;
    while (start <= items.size()) {
        const std::size_t comma = std::min(items.find(',', start), items.size());
        const std::string_view item = items.substr(start, comma - start);
        start = comma + 1;
        if (item.empty()) continue;
        int index = lookUp(item, kPortItems, Match::exact);
        if (index < 0) {
            index = lookUp(item, std::span(kPortItems).first(kPortBaudCount), Match::containment);
        }
        if (index < 0) {
            state.diagnostics.reportLineError(kUnknownParameter);
            return;
        }
        if (index < kPortFirstParity) {
            port.baud = index;
        } else if (index < kPortFirstDataBits) {
            port.parity = index;
        } else if (index < kPortFirstStopBits) {
            port.dataBits = index;
        } else if (index < kPortNoRts) {
            port.stopBits = index;
        } else {
            port.noRts = true;
        }
    }
    state.keyboard.portSettings = portSettingsText(port);
    std::vector<std::uint8_t> prefix = portPrefixBytes(betweenFirstAndLastQuote(rest));
    // A block holds at most kMaxBlockData bytes; a longer prefix is refused whole.
    if (prefix.size() > kbx::image::kMaxBlockData) {
        state.diagnostics.reportLineError(kStringTooLong);
    } else {
        state.keyboard.portPrefix = std::move(prefix);
    }
    cursor.skipToEnd();
}

void handleConversion(std::string_view, LineCursor& cursor, CompileState& state) {
    const std::string_view rest = cursor.rest();
    const std::size_t quote = rest.find('"');
    const std::size_t equals = rest.find('=');
    if (quote == std::string_view::npos || equals == std::string_view::npos || equals < quote) return;
    const auto character = conversionCharacter(rest.substr(quote + 1, equals - quote - 1));
    if (!character) return;

    cursor.moveTo(cursor.position() + equals + 1);
    DefinitionBytes definition{0, 0, state.lastAttributes};
    const ProgrammingBytes bytes = readProgramming(cursor, definition, state.keyboard.hexadecimalBase,
                                                   state.keyboard.conversion, state.diagnostics);
    if (bytes.empty()) {
        state.diagnostics.reportLineError(kEmptyConversion);
        return;
    }
    if (bytes.size() > kMaxConversionBytes) {
        state.diagnostics.reportLineError(kLongConversion);
        return;
    }
    std::vector<std::uint8_t> entry{*character, std::uint8_t(bytes.size())};
    entry.insert(entry.end(), bytes.begin(), bytes.end());
    appendBounded(state.keyboard.conversions, entry);
}

void handleParameter(std::string_view, LineCursor& cursor, CompileState& state) {
    const std::string_view rest = cursor.rest();
    const std::size_t first = rest.find('"');
    const std::size_t second = first == std::string_view::npos ? first : rest.find('"', first + 1);
    cursor.skipToEnd();
    if (second == std::string_view::npos) return;
    const std::string_view text = rest.substr(first + 1, second - first - 1);

    std::vector<std::uint8_t> codes;
    std::size_t count = 0;
    const auto add = [&](unsigned value) {
        ++count;
        if (codes.size() < kParameterCodes) codes.push_back(std::uint8_t(value));
    };
    for (std::size_t i = 0; i < text.size();) {
        if (const auto escaped = hexEscape(text.substr(i))) {
            add(*escaped);
            i += 4;
        } else if (isDigit(text[i]) && i + 1 < text.size() && isDigit(text[i + 1])) {
            add(unsigned(text[i] - '0') * 10 + unsigned(text[i + 1] - '0'));
            i += 2;
        } else if (isDigit(text[i])) {
            add(unsigned(text[i] - '0'));
            ++i;
        } else {
            ++i;
        }
    }
    if (count == 0) return;
    if (count < kParameterCodes) {
        state.diagnostics.reportLineError(kTooFewCodes);
    } else if (count > kParameterCodes) {
        state.diagnostics.reportLineError(kTooManyCodes);
    } else if (codes.front() == 0) {
        state.diagnostics.reportLineError(kUnknownParameterEntry);
    } else {
        appendBounded(state.keyboard.parameters, codes);
    }
}

}  // namespace kbxc
