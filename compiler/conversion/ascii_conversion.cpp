#include "compiler/conversion/ascii_conversion.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "compiler/conversion/letter_case.h"
#include "compiler/conversion/output_buffer.h"

namespace kbxc {
namespace {

struct AsciiName {
    std::string_view name;
    std::uint8_t code;
};

constexpr std::array<AsciiName, 11> kAsciiNames{{
    {"BACKSPACE", 8},
    {"BS", 8},
    {"ESC", 27},
    {"TAB", 9},
    {"HT", 9},
    {"RETURN", 13},
    {"ENTER", 13},
    {"CR", 13},
    {"LINEFEED", 10},
    {"LF", 10},
    {"DEL", 127},
}};

constexpr std::uint8_t kControlMask = 31;

std::uint8_t upperCase(std::uint8_t c) { return upperCaseLetter(c); }
std::uint8_t controlCharacter(std::uint8_t c) { return static_cast<std::uint8_t>(c & kControlMask); }

struct AsciiModifier {
    std::string_view name;
    std::uint8_t (*apply)(std::uint8_t);
};

constexpr std::array<AsciiModifier, 2> kAsciiModifiers{{
    {"SHIFT", upperCase},
    {"CTRL", controlCharacter},
}};

constexpr char kGroupOpen = '{';
constexpr char kGroupClose = '}';
constexpr char kSeparator = '+';
constexpr char kEscape = '\\';

class AsciiConverter {
public:
    explicit AsciiConverter(std::string_view text) : text_(text) {}

    AsciiResult run() {
        bool complete = true;
        while (position_ < text_.size() && complete) complete = step();
        const bool truncated = output_.truncated();
        return {output_.take(), complete, truncated};
    }

private:
    void copy(char c) { output_.append(static_cast<std::uint8_t>(c)); }

    bool step() {
        const char c = text_[position_];
        if (c == kEscape && position_ + 1 < text_.size()) {
            copy(text_[position_ + 1]);
            position_ += 2;
            return true;
        }
        if (c != kGroupOpen) {
            copy(c);
            ++position_;
            return true;
        }
        if (position_ + 1 < text_.size() && text_[position_ + 1] == kGroupOpen) {
            copy(kGroupOpen);
            position_ += 2;
            return true;
        }
        return braceItem();
    }

    // {NAME} or {MODIFIER+c}.
    bool braceItem() {
        const std::size_t start = position_ + 1;
        const std::size_t end = std::min(text_.find_first_of("+}", start), text_.size());
        const std::string_view name = text_.substr(start, end - start);
        if (name.empty() || end == text_.size()) return false;

        for (const AsciiModifier& modifier : kAsciiModifiers) {
            if (!equalsIgnoringCase(name, modifier.name)) continue;
            const std::size_t character = end + 1;
            const std::size_t close = end + 2;
            if (text_[end] != kSeparator || close >= text_.size() || text_[close] != kGroupClose) return false;
            output_.append(modifier.apply(static_cast<std::uint8_t>(text_[character])));
            position_ = close + 1;
            return true;
        }
        if (text_[end] != kGroupClose) return false;
        for (const AsciiName& entry : kAsciiNames) {
            if (!equalsIgnoringCase(name, entry.name)) continue;
            output_.append(entry.code);
            position_ = end + 1;
            return true;
        }
        return false;
    }

    std::string_view text_;
    std::size_t position_ = 0;
    OutputBuffer output_;
};

}  // namespace

AsciiResult convertToAscii(std::string_view text) { return AsciiConverter(text).run(); }

}  // namespace kbxc
