#include "kbxsim/line_settings.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kbxsim {
namespace {

constexpr char kSeparator = ',';
constexpr std::array kParities{Parity::none, Parity::even, Parity::odd};
constexpr std::array kDataBits{7, 8};

std::optional<int> positiveNumber(std::string_view field) {
    int value = 0;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    if (error != std::errc{} || stop != end || value <= 0) return std::nullopt;
    return value;
}

std::optional<Parity> parityOf(std::string_view field) {
    if (field.size() != 1) return std::nullopt;
    for (const Parity parity : kParities) {
        if (static_cast<char>(parity) == field.front()) return parity;
    }
    return std::nullopt;
}

// Cuts the text before the next separator off `rest`; nothing when `rest` is
// used up.
std::optional<std::string_view> nextField(std::string_view& rest, bool& more) {
    if (!more) return std::nullopt;
    const std::size_t comma = rest.find(kSeparator);
    const std::string_view field = rest.substr(0, comma);
    more = comma != std::string_view::npos;
    rest = more ? rest.substr(comma + 1) : std::string_view{};
    return field;
}

}  // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text) {
    LineSettings settings;
    std::string_view rest = text;
    bool more = true;

    const auto baud = positiveNumber(nextField(rest, more).value_or(""));
    if (!baud) return std::nullopt;
    settings.baud = *baud;

    if (const auto field = nextField(rest, more)) {
        const auto parity = parityOf(*field);
        if (!parity) return std::nullopt;
        settings.parity = *parity;
    }
    if (const auto field = nextField(rest, more)) {
        const auto bits = positiveNumber(*field);
        if (!bits || std::find(kDataBits.begin(), kDataBits.end(), *bits) == kDataBits.end()) return std::nullopt;
        settings.dataBits = *bits;
    }
    if (more) return std::nullopt;
    return settings;
}

std::string formatLineSettings(const LineSettings& settings) {
    return std::to_string(settings.baud) + kSeparator + static_cast<char>(settings.parity) + kSeparator +
           std::to_string(settings.dataBits);
}

bool lineMatches(const LineSettings& keyboard, const LineObservation& line) {
    return keyboard.baud == line.baud && (keyboard.parity == Parity::odd) == line.oddParity;
}

}  // namespace kbxsim
