#pragma once

// The hex text of the keyboard's frames and replies: a 4-bit value is one
// character "0"-"9" or "A"-"F", and a run of digits is closed by its nibble
// checksum, the sum of the digit values modulo 256 written as two digits,
// high digit first.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kbxsim {

// The value of a hex digit character; nothing for any other byte (the
// keyboard takes upper-case digits only, as the host sends them).
std::optional<std::uint8_t> hexDigitValue(std::uint8_t character);

// The character of the low four bits of `value`.
char hexDigit(unsigned value);

// "0F", "A5": a byte as two digits, for logs and reports.
std::string hexByte(std::uint8_t byte);

// Sums digit values modulo 256.
class NibbleSum {
public:
    void add(std::uint8_t digitValue) { sum_ = static_cast<std::uint8_t>(sum_ + digitValue); }
    std::uint8_t value() const { return sum_; }
    std::uint8_t highDigit() const { return static_cast<std::uint8_t>(sum_ >> 4); }
    std::uint8_t lowDigit() const { return static_cast<std::uint8_t>(sum_ & 0x0F); }

private:
    std::uint8_t sum_ = 0;
};

// The reply text of a read frame: each byte as two digits, high digit first,
// then the two digits of the nibble checksum of those digits.
std::string replyText(std::span<const std::uint8_t> bytes);

}  // namespace kbxsim
