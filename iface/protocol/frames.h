#pragma once

// The frames that write and read the keyboard's memory, and the decoding of
// the reply text a read frame brings back. Every number travels as hex
// digits ("0"-"9", "A"-"F"), guarded by nibble checksums: the sum of the
// digits' 4-bit values modulo 256, sent as two digits, high digit first.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kbxi {

class Link;

// The value 0-15 as its hex digit.
char hexDigit(unsigned value);
// The value of a hex digit, or -1 for any other character (lower-case
// letters included: the keyboard sends upper case only).
int hexValue(char digit);

// The frame that writes `data` (at most 255 bytes) at `address`.
std::vector<std::uint8_t> writeFrame(std::uint16_t address, std::span<const std::uint8_t> data);
// The frame that asks for `count` bytes at `address`.
std::vector<std::uint8_t> readFrame(std::uint16_t address, std::uint8_t count);
// The frame that makes the keyboard update its memory checksum.
std::vector<std::uint8_t> updateChecksumFrame();

// Sends a frame byte by byte with the framed send, abandoning it at the first
// byte the keyboard does not take: 0, or that byte's send result.
int sendFrame(Link& link, std::span<const std::uint8_t> frame);

// Block errors of a reply.
namespace block_error {
inline constexpr int kReadFailed = 1;      // serial read failed, or the capture could not be armed
inline constexpr int kWrongLength = 2;     // not the expected number of characters
inline constexpr int kChecksumHigh = 3;    // checksum high digit wrong
inline constexpr int kChecksumLow = 4;     // checksum low digit wrong
inline constexpr int kNotHex = 5;          // a data character is no hex digit
inline constexpr int kNul = 6;             // NUL in the reply
inline constexpr int kCaptured = 0x10;     // added by the capture path
}  // namespace block_error

// How a reply's errors are reported: the serial path stops at the first,
// the capture path looks at every character and keeps the last.
enum class ErrorRule { firstEnds, lastStands };

// Decodes reply text: pairs of hex digits (high digit first) followed by the
// two digits of the nibble checksum of the data digits. Which digit a
// character is depends on how many characters follow it: an odd number
// makes it the high digit of the next byte. Decoded bytes go to `out` (at
// most its size); the result is 0 or a block error.
int decodeReply(std::span<const char> text, std::span<std::uint8_t> out, ErrorRule rule);

// The character a captured key code stands for in reply text: the keys "0"-
// "9" and "A"-"F" of the typed reply (set-1 make codes), NUL for the code 0,
// and a character that is no hex digit for any other code.
char replyCharacter(std::uint8_t keyCode);

}  // namespace kbxi
