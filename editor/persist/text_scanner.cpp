#include "editor/persist/text_scanner.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace kbxdoc::persist {
char TextScanner::peek(std::size_t ahead) const {
    const std::size_t at = position_ + ahead;
    return at < text_.size() ? text_[at] : '\0';
}

void TextScanner::advance(std::size_t count) { position_ = std::min(text_.size(), position_ + count); }

void TextScanner::skipBlanks() {
    while (!atEnd() && isBlank(text_[position_])) ++position_;
}

void TextScanner::skipWhitespace() {
    while (!atEnd() && isSpace(text_[position_])) ++position_;
}

bool TextScanner::consume(char expected) {
    if (atEnd() || text_[position_] != expected) return false;
    ++position_;
    return true;
}

bool TextScanner::consumeWord(std::string_view word) {
    if (!startsWithIgnoringCase(rest(), word)) return false;
    position_ += word.size();
    return true;
}

std::optional<int> TextScanner::readInt() {
    const std::size_t start = position_;
    skipWhitespace();
    std::size_t at = position_;
    const bool negative = at < text_.size() && text_[at] == '-';
    if (at < text_.size() && (text_[at] == '-' || text_[at] == '+')) ++at;
    const std::size_t digits = at;
    while (at < text_.size() && isDigit(text_[at])) ++at;
    long long value = 0;
    const char* first = text_.data() + digits;
    const char* last = text_.data() + at;
    const auto [end, error] = std::from_chars(first, last, value);
    if (at == digits || error != std::errc{} || end != last) {
        position_ = start;
        return std::nullopt;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        position_ = start;
        return std::nullopt;
    }
    position_ = at;
    return static_cast<int>(value);
}

std::optional<std::uint32_t> TextScanner::readHex() {
    const std::size_t start = position_;
    skipWhitespace();
    if (peek() == '0' && upperAscii(peek(1)) == 'X' && isHexDigit(peek(2))) advance(2);
    std::size_t at = position_;
    while (at < text_.size() && isHexDigit(text_[at])) ++at;
    std::uint64_t value = 0;
    const char* first = text_.data() + position_;
    const char* last = text_.data() + at;
    const auto [end, error] = std::from_chars(first, last, value, 16);
    if (at == position_ || error != std::errc{} || end != last || value > std::numeric_limits<std::uint32_t>::max()) {
        position_ = start;
        return std::nullopt;
    }
    position_ = at;
    return static_cast<std::uint32_t>(value);
}

std::optional<double> TextScanner::readLength() {
    const std::size_t start = position_;
    skipWhitespace();
    if (peek() == '+') advance(1);
    double value = 0;
    const char* first = text_.data() + position_;
    const char* last = text_.data() + text_.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc{} || !std::isfinite(value) || std::fabs(value) > kLargestLength) {
        position_ = start;
        return std::nullopt;
    }
    position_ += static_cast<std::size_t>(end - first);
    return value;
}

std::optional<char> TextScanner::readChar() {
    if (atEnd()) return std::nullopt;
    return text_[position_++];
}

std::string_view TextScanner::readWord() {
    skipWhitespace();
    const std::size_t start = position_;
    while (!atEnd() && !isSpace(text_[position_])) ++position_;
    return text_.substr(start, position_ - start);
}

std::size_t findLineBreak(std::string_view text, std::size_t start) {
    if (start >= text.size()) return std::string_view::npos;
    // The first LF, then a CR before it: two searches for one character.
    const std::size_t lineFeed = text.find('\n', start);
    const std::size_t searched = (lineFeed == std::string_view::npos ? text.size() : lineFeed) - start;
    const std::size_t carriageReturn = text.substr(start, searched).find('\r');
    return carriageReturn != std::string_view::npos ? start + carriageReturn : lineFeed;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (upperAscii(text[i]) != upperAscii(prefix[i])) return false;
    }
    return true;
}

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    if (word.empty()) return true;
    if (text.size() < word.size()) return false;
    // Every place the word's first letter stands, in either case, found with
    // the library's fast search for one character.
    const std::string_view starts = text.substr(0, text.size() - word.size() + 1);
    const char upper = upperAscii(word.front());
    const char lower = lowerAscii(word.front());
    for (const char first : {upper, lower}) {
        for (std::size_t at = starts.find(first); at != std::string_view::npos; at = starts.find(first, at + 1)) {
            if (startsWithIgnoringCase(text.substr(at), word)) return true;
        }
        if (upper == lower) break;
    }
    return false;
}

}  // namespace kbxdoc::persist
