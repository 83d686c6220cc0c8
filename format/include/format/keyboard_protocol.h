#pragma once

// The bytes the host and the keyboard exchange, each under one name, in the
// groups the keyboard's documentation lists them in: the keyboard's answers,
// the bytes that open and close the host's sequences, the frame codes after
// the prefix, and the LED-command nibble path of the keyboard controller.
// The device commands are in format/device_commands.h.

#include <cstdint>

namespace kbx::protocol {

// The keyboard's answer to a byte of the host.
inline constexpr std::uint8_t kAcknowledge = 0xFA;  // the byte is taken
inline constexpr std::uint8_t kResend = 0xFE;       // the byte is refused (a frame ends there)
inline constexpr std::uint8_t kEcho = 0xEE;         // the echo test: sent by the host, answered with itself

// Bytes of the host outside a frame.
inline constexpr std::uint8_t kFramePrefix = 0xEF;   // starts a frame or a device command, at any point
inline constexpr std::uint8_t kEnable = 0xF4;        // enables the keyboard after a download
inline constexpr std::uint8_t kDisplayStart = 0xEC;  // the following bytes go to the customer display ...
inline constexpr std::uint8_t kDisplayEnd = 0x00;    // ... up to this one

// The frame code after kFramePrefix. Addresses, counts, data and their
// checksums follow as hex digits.
inline constexpr std::uint8_t kWriteFrame = 0x0F;       // address, count, data: writes the memory
inline constexpr std::uint8_t kReadFrame = 0x0E;        // address, count: the keyboard replies with the bytes
inline constexpr std::uint8_t kUpdateChecksum = 0x12;  // the keyboard sums its memory into bytes 2-3

// The nibble path through the keyboard controller: a byte travels as two LED
// commands whose value bytes carry a nibble each, the low nibble first. The
// tag of the high nibble tells a protocol byte from a display byte; the host
// does not send kFramePrefix and kDisplayStart on this path, they choose that
// tag, and kDisplayEnd chooses the protocol tag again.
inline constexpr std::uint8_t kLedCommand = 0xED;
inline constexpr std::uint8_t kLowNibbleTag = 0x10;
inline constexpr std::uint8_t kProtocolNibbleTag = 0x20;
inline constexpr std::uint8_t kDisplayNibbleTag = 0x30;

}  // namespace kbx::protocol
