#pragma once

// A cursor over one line of a layout file with bounded readers of numbers,
// characters and words. A reader that finds nothing it can take returns no
// value and leaves the cursor where the value would have begun; numbers out
// of their type's range are not taken.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kbxdoc::persist {

// Lengths larger than this (in mm, either sign) are not taken from a file.
inline constexpr double kLargestLength = 100000.0;

class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text_(text) {}

    bool atEnd() const { return position_ >= text_.size(); }
    char peek(std::size_t ahead = 0) const;  // '\0' past the end
    std::string_view rest() const { return text_.substr(position_); }
    std::size_t position() const { return position_; }
    void advance(std::size_t count);

    void skipBlanks();      // blanks and tabs
    void skipWhitespace();  // every white-space character, as the formatted readers do
    bool consume(char expected);
    // Consumes `word` when the text at the cursor starts with it, letter case ignored.
    bool consumeWord(std::string_view word);

    std::optional<int> readInt();              // optional sign, decimal digits
    std::optional<std::uint32_t> readHex();    // hexadecimal digits, optional 0x
    std::optional<double> readLength();        // a finite decimal number within kLargestLength
    std::optional<char> readChar();            // the next character, whatever it is
    std::string_view readWord();               // after white space, the run up to the next

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// Character classes and letter case of the file's bytes. They look at ASCII
// only, so that reading and sorting do not depend on the process's locale
// (the GUI sets one; a file must read and write the same under any).
constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20; }
constexpr bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr bool isHexDigit(char c) {
    const char u = upperAscii(c);
    return isDigit(c) || (u >= 'A' && u <= 'F');
}

// Where the line starting at `start` ends: the first CR or LF, or npos.
std::size_t findLineBreak(std::string_view text, std::size_t start = 0);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool containsIgnoringCase(std::string_view text, std::string_view word);

}  // namespace kbxdoc::persist
