#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

#include "compiler/short_text_match.h"

namespace kbxc {

class Diagnostics;

// How a field is compared with the entries of a name list.
enum class Match { exact, containment };

inline constexpr int kFieldEmpty = -1;
inline constexpr int kFieldUnknown = -2;
inline constexpr long long kNoNumber = -1;

// The shared read position in the argument text of the current line. The
// directives and the key-line compiler read fields, numbers and single
// characters through it.
class LineCursor {
public:
    explicit LineCursor(std::string& text, std::size_t position = 0) : text_(text), position_(position) {}

    bool atEnd() const { return position_ >= text_.size(); }
    char peek(std::size_t ahead = 0) const {
        return position_ + ahead < text_.size() ? text_[position_ + ahead] : '\0';
    }
    void advance(std::size_t count = 1) { position_ = std::min(text_.size(), position_ + count); }
    std::size_t position() const { return position_; }
    void moveTo(std::size_t position) { position_ = std::min(text_.size(), position); }
    void skipToEnd() { position_ = text_.size(); }
    std::string_view rest() const { return std::string_view(text_).substr(position_); }
    std::string& text() { return text_; }
    bool startsWith(std::string_view prefix) const { return startsWithName(rest(), prefix); }

    // The text up to the next "," (or the end); the cursor moves behind it.
    std::string_view readField();

private:
    std::string& text_;
    std::size_t position_;
};

// Looks a field up in a name list: the index of the first matching entry,
// kFieldEmpty for an empty field, kFieldUnknown when nothing matches.
int lookUp(std::string_view field, std::span<const std::string_view> names, Match mode);

// Reads a field at the cursor and looks it up.
int readField(LineCursor& cursor, std::span<const std::string_view> names, Match mode);

// Reads one number: decimal, or hexadecimal (at most two digits) with an
// "H" suffix or under a hexadecimal default base; "Z" marks decimal.
// kNoNumber at the end of the text or at a "," (consumed), and for three or
// more hexadecimal digits. Values beyond what fits are held at kMaxNumber.
long long readNumber(LineCursor& cursor, bool hexadecimalBase, Diagnostics& diagnostics);

inline constexpr long long kMaxNumber = 0x7FFFFFFF;

}  // namespace kbxc
