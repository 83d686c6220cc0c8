#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace kbxc {

// The longest byte sequence of a token (RESETSTATUS).
inline constexpr std::size_t kMaxTokenBytes = 12;

class ByteSequence {
public:
    constexpr ByteSequence() = default;
    constexpr ByteSequence(std::initializer_list<std::uint8_t> bytes) {
        for (std::uint8_t byte : bytes) {
            if (size_ < kMaxTokenBytes) data_[size_++] = byte;
        }
    }
    constexpr std::span<const std::uint8_t> bytes() const { return {data_.data(), size_}; }
    constexpr std::size_t size() const { return size_; }
    friend constexpr bool operator==(const ByteSequence& a, const ByteSequence& b) {
        if (a.size_ != b.size_) return false;
        for (std::size_t i = 0; i < a.size_; ++i) {
            if (a.data_[i] != b.data_[i]) return false;
        }
        return true;
    }

private:
    std::array<std::uint8_t, kMaxTokenBytes> data_{};
    std::size_t size_ = 0;
};

enum class TokenGroup : std::uint8_t {
    heldModifier,   // SHIFT ... APP: pressed for the rest of the brace group
    fakeShift,      // E0SHIFT: pressed in make-only mode too
    modifierMake,   // MAKESHIFT ... MAKEE0SHIFT
    modifierBreak,  // BREAKSHIFT ... BREAKE0SHIFT
    key,            // NORMAL and every name after it
    empty,          // EMPTY: the whole assignment becomes empty
};

struct Token {
    std::string_view name;  // upper case
    ByteSequence bytes;     // scan code set 1, or keyboard commands
    std::uint8_t shiftMode = 0;
    TokenGroup group = TokenGroup::key;
};

// The names allowed in braces of a programming text, in table order.
inline constexpr std::size_t kTokenCount = 295;
std::span<const Token> tokenTable();

// The token of `name`, letter case ignored, or nullptr.
const Token* findToken(std::string_view name);

// The MAKE token that stands for a held modifier in make-only mode.
const Token* makeTokenOf(const Token& modifier);

}  // namespace kbxc
