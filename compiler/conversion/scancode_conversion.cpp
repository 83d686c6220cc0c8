#include "compiler/conversion/scancode_conversion.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "compiler/conversion/character_typing.h"
#include "compiler/conversion/keystroke_writer.h"
#include "compiler/conversion/letter_case.h"
#include "compiler/conversion/modifier_cleanup.h"
#include "compiler/conversion/scan_codes.h"
#include "compiler/conversion/shift_modes.h"
#include "compiler/conversion/tokens.h"

namespace kbxc {
namespace {

constexpr char kGroupOpen = '{';
constexpr char kGroupClose = '}';
constexpr char kSeparator = '+';
constexpr char kEscape = '\\';
constexpr std::string_view kEscapedCharacters = "+\\{}";
constexpr std::string_view kNameEnds = "}+";
constexpr std::string_view kAltCodeName = "ALT";
constexpr std::string_view kPauseName = "PAUSE";
constexpr std::string_view kBreakName = "BREAK";
constexpr std::size_t kRawByteDigits = 2;
constexpr int kHexBase = 16;
// The whole text and a few nested groups: room for the saved states of
// most texts from the start.
constexpr std::size_t kTypicalGroupDepth = 4;

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return std::nullopt;
}

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

class ScancodeConverter {
public:
    ScancodeConverter(std::string_view text, std::uint8_t initialStandard, const ScancodeOptions& options)
        : text_(text),
          options_(options),
          typing_{options.language, options.makeOnly},
          writer_(options.shiftLockBehaviour, initialStandard) {}

    ScancodeResult run() {
        saved_.reserve(kTypicalGroupDepth);
        saved_.push_back(writer_.state());
        if (!text_.empty() && text_.front() == kGroupOpen) applyShiftMode(writer_, kModePlain);
        while (position_ < text_.size() && !stopped_) step();
        if (emptied_) return {};
        finish();
        const bool truncated = writer_.output().truncated();
        ScancodeResult result{writer_.output().take(), !failed_, truncated};
        removeIdleModifierTaps(result.bytes, options_.shiftLockBehaviour);
        return result;
    }

private:
    char peek(std::size_t offset = 0) const {
        const std::size_t at = position_ + offset;
        return at < text_.size() ? text_[at] : '\0';
    }
    bool hasMore(std::size_t offset) const { return position_ + offset < text_.size(); }
    bool insideGroup() const { return depth_ > 0; }

    void fail() {
        failed_ = true;
        stopped_ = true;
    }

    void step() {
        const char c = text_[position_];
        if (c == kSeparator) return separator();
        if (c == kEscape) return escape();
        if (c == kGroupOpen) return openGroup();
        if (c == kGroupClose) return closeGroup();
        if (!insideGroup()) {
            ++position_;
            return type(c, Typing::normal);
        }
        name();
    }

    void separator() {
        if (!insideGroup()) {
            ++position_;
            return type(kSeparator, Typing::normal);
        }
        if (hasMore(1) && peek(1) == kSeparator) {
            position_ += 2;
            return typeInGroup(kSeparator, Typing::heldModifiers);
        }
        ++position_;
    }

    void escape() {
        if (!hasMore(1)) {
            ++position_;
            if (!insideGroup()) type(kEscape, Typing::normal);
            return;
        }
        const char next = peek(1);
        if (kEscapedCharacters.find(next) != std::string_view::npos) {
            position_ += 2;
            if (insideGroup()) return typeInGroup(next, heldTypingInGroup());
            return type(next, Typing::normal);
        }
        if (!insideGroup()) {
            // Not an escape here: the backslash is typed, the character after
            // it is read as usual.
            ++position_;
            return type(kEscape, Typing::normal);
        }
        if (next == 'x' || next == 'X') {
            position_ += 2;
            return rawByte();
        }
        fail();
    }

    // Up to two hex digits after \x; only two make a byte.
    void rawByte() {
        int value = 0;
        std::size_t digits = 0;
        while (digits < kRawByteDigits && position_ < text_.size()) {
            const std::optional<int> digit = hexDigit(text_[position_]);
            if (!digit) break;
            value = value * kHexBase + *digit;
            ++digits;
            ++position_;
        }
        if (digits == kRawByteDigits) writer_.send(static_cast<std::uint8_t>(value));
    }

    void openGroup() {
        if (!insideGroup()) applyShiftMode(writer_, kModePlain);
        saved_.push_back(writer_.state());
        ++depth_;
        ++position_;
    }

    void closeGroup() {
        ++position_;
        if (!insideGroup()) return type(kGroupClose, Typing::normal);
        restoreSaved();
        --depth_;
    }

    void restoreSaved() {
        const ModifierState saved = saved_.back();
        saved_.pop_back();
        if (!options_.makeOnly) writer_.restore(saved);
    }

    void name() {
        const std::size_t end = std::min(text_.find_first_of(kNameEnds, position_), text_.size());
        const std::string_view item = text_.substr(position_, end - position_);
        position_ = end;
        const bool closesGroup = end < text_.size() && text_[end] == kGroupClose;

        if (const Token* token = findToken(item)) return sendToken(*token, closesGroup);
        if (item.size() == 1) return typeInGroup(item.front(), heldTypingInGroup());
        if (item.size() > kAltCodeName.size() && startsWithIgnoringCase(item, kAltCodeName)) {
            return altCode(item.substr(kAltCodeName.size()));
        }
        fail();
    }

    void altCode(std::string_view digits) {
        for (char c : digits) {
            if (!isDecimalDigit(c)) return fail();
        }
        firstItemSeen_ = true;
        sendAltDigits(writer_, digits);
    }

    bool controlDown() const {
        return writer_.isDown(Modifier::control) || writer_.isDown(Modifier::rightControl);
    }

    void sendToken(const Token& named, bool closesGroup) {
        if (named.group == TokenGroup::empty) {
            emptied_ = true;
            stopped_ = true;
            return;
        }
        const Token* token = &named;
        if (token->name == kPauseName && controlDown()) token = findToken(kBreakName);
        const bool first = !firstItemSeen_;
        firstItemSeen_ = true;

        if (options_.makeOnly && closesGroup) {
            if (const Token* make = makeTokenOf(*token)) token = make;
        }
        if (!options_.makeOnly || token->group == TokenGroup::fakeShift) {
            int mode = token->shiftMode;
            if (mode == kModeNone && first && token->group == TokenGroup::key) mode = kModePlain;
            applyShiftMode(writer_, mode);
        }
        sendTokenBytes(token->bytes.bytes());
    }

    // In make-only mode the keyboard adds the breaks itself: only make codes
    // go out, each with its prefix.
    void sendTokenBytes(std::span<const std::uint8_t> bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const std::uint8_t byte = bytes[i];
            if (options_.makeOnly) {
                const bool prefixOfMake =
                    byte >= kFirstPrefixByte && i + 1 < bytes.size() && !isBreakCode(bytes[i + 1]);
                if (isBreakCode(byte) && !prefixOfMake) continue;
            }
            writer_.send(byte);
        }
    }

    // A single character in braces keeps the group's modifiers when any are
    // in effect.
    Typing heldTypingInGroup() const {
        const ModifierState& state = writer_.state();
        const bool held = (state.standard & kStandardModifiersAndLocks) != 0 ||
                          (state.extended & (kAltGrDown | kRightControlDown)) != 0;
        return held ? Typing::heldModifiers : Typing::normal;
    }

    void typeInGroup(char c, Typing typing) {
        firstItemSeen_ = true;
        type(c, typing);
    }

    void type(char c, Typing typing) { typeCharacter(writer_, static_cast<std::uint8_t>(c), typing, typing_); }

    void finish() {
        writer_.endCharacterCapsLock();
        while (!saved_.empty()) restoreSaved();
    }

    std::string_view text_;
    ScancodeOptions options_;
    TypingOptions typing_;
    KeystrokeWriter writer_;
    std::vector<ModifierState> saved_;
    std::size_t position_ = 0;
    int depth_ = 0;
    bool firstItemSeen_ = false;
    bool failed_ = false;
    bool emptied_ = false;
    bool stopped_ = false;
};

}  // namespace

ScancodeResult convertToScancodes(std::string_view text, std::uint8_t initialStandard,
                                  const ScancodeOptions& options) {
    return ScancodeConverter(text, initialStandard, options).run();
}

}  // namespace kbxc
