#pragma once

#include <cstdint>
#include <string>

// Readable forms of the keyboard-wide setting bytes.
namespace kbxdump {

// "interface AT, CapsLock behaviour, language US"
std::string describeLanguageByte(std::uint8_t value);

// "none", or "9600 baud, parity N, 8 data bits, RTS/CTS handshake"
std::string describeSerialByte(std::uint8_t value);

// "10 per second, delay 500 ms"
std::string describeRateByte(std::uint8_t value);

// A volume byte 0-255 as a percentage. Percentages are stored as
// p x 255 / 100 rounded down, so rounding up gives back the percentage a
// compiled byte came from (84 reads as 33, 255 as 100).
int volumePercent(std::uint8_t volume);

// A duration byte in milliseconds.
int durationMilliseconds(std::uint8_t duration);

}  // namespace kbxdump
