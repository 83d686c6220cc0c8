#pragma once

// The serial line settings of the keyboard and what a channel can see of the
// host's side of the line.

#include <optional>
#include <string>
#include <string_view>

namespace kbxsim {

enum class Parity : char { none = 'N', even = 'E', odd = 'O' };

struct LineSettings {
    int baud = 9600;
    Parity parity = Parity::odd;
    int dataBits = 8;
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// "BAUD[,PARITY[,DATABITS]]" as in "9600,O,8": a positive baud rate, parity
// N, E or O (default O), data bits 7 or 8 (default 8). Nothing for any other
// text.
std::optional<LineSettings> parseLineSettings(std::string_view text);

// "9600,O,8".
std::string formatLineSettings(const LineSettings& settings);

// The host's line as a pseudo-terminal shows it: the baud rate and whether
// odd parity is selected. The pty driver forces 8 data bits and clears the
// parity enable flag on every change, so even and no parity look alike and
// the data bits are not seen at all.
struct LineObservation {
    int baud = 0;
    bool oddParity = false;
    int bitsPerByte = 10;  // start, data, parity and stop bits
    friend bool operator==(const LineObservation&, const LineObservation&) = default;
};

// Whether a keyboard set to `keyboard` understands a host whose line looks
// like `line`: the same baud rate, and odd parity on both sides or on neither.
bool lineMatches(const LineSettings& keyboard, const LineObservation& line);

}  // namespace kbxsim
