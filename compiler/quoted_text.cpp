#include "compiler/quoted_text.h"

namespace kbxc {
namespace {

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9') return unsigned(c - '0');
    if (c >= 'A' && c <= 'F') return unsigned(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return unsigned(c - 'a' + 10);
    return std::nullopt;
}

}  // namespace

std::string_view betweenFirstAndLastQuote(std::string_view text) {
    const std::size_t first = text.find('"');
    const std::size_t last = text.rfind('"');
    if (first == std::string_view::npos || last == first) return {};
    return text.substr(first + 1, last - first - 1);
}

std::optional<unsigned> twoHexDigits(std::string_view text) {
    if (text.size() < 2) return std::nullopt;
    const auto high = hexDigit(text[0]);
    const auto low = hexDigit(text[1]);
    if (!high || !low) return std::nullopt;
    return *high * 16 + *low;
}

std::optional<unsigned> hexEscape(std::string_view text) {
    if (text.size() < 4 || text[0] != '\\' || (text[1] != 'x' && text[1] != 'X')) return std::nullopt;
    return twoHexDigits(text.substr(2));
}

}  // namespace kbxc
