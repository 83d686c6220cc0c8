// What an interface string says about a serial port: its name, its settings
// text and the line settings read from that text, and the device it opens.

#include <climits>
#include <cstdlib>

#include "iface/transports/serial_port.h"

namespace kbxi {
namespace {

constexpr std::size_t kSettingsCapacity = 23;    // the settings field holds 24 bytes with its NUL
constexpr int kLowestBaud = 300;                 // and every rate is a multiple of it

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal number at the start of a text as the C library reads it
// (leading blanks, a sign, digits; 0 without digits), held at the limits of
// int instead of overflowing.
int leadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return int(negative ? -value : value);
}

// The character after position `at`, or NUL at the end of the text.
char characterAfter(std::string_view text, std::size_t at) {
    return at + 1 < text.size() ? text[at + 1] : '\0';
}

// The part of `text` from `at` on (empty past its end).
std::string_view from(std::string_view text, std::size_t at) {
    return at < text.size() ? text.substr(at) : std::string_view{};
}

void readParity(char letter, LineSettings& settings) {
    if (letter == 'E' || letter == 'N' || letter == 'O') settings.parity = letter;
}

}  // namespace

LineSettings parseLineSettings(std::string_view text) {
    LineSettings settings;
    for (;;) {
        const int baud = leadingNumber(text);
        if (baud >= kLowestBaud && baud % kLowestBaud == 0) settings.baud = baud;

        const std::size_t parityComma = text.find(',');
        if (parityComma == std::string_view::npos) break;
        readParity(characterAfter(text, parityComma), settings);

        const std::size_t bitsComma = text.find(',', parityComma + 1);
        if (bitsComma == std::string_view::npos) break;
        const int dataBits = leadingNumber(from(text, bitsComma + 1));
        if (dataBits == 7 || dataBits == 8) settings.dataBits = dataBits;

        // Reading goes on two characters after that comma, so a fourth field
        // ("1" of "9600,E,8,1") is met as the parity character of ",1" and a
        // numeric one is never taken as a baud rate.
        text = from(text, bitsComma + 2);
    }
    return settings;
}

SerialRequest serialRequest(std::string_view upperCasedInterfaceString) {
    const std::string_view text = upperCasedInterfaceString;
    SerialRequest request;
    request.portName = kbx::platform::serialPortName(text);
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos) {
        request.hasSettings = true;
        request.settings = std::string(text.substr(colon + 1, kSettingsCapacity));
    }
    return request;
}

}  // namespace kbxi
