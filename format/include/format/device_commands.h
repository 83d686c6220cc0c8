#pragma once

// The keyboard's device commands: kFramePrefix (format/keyboard_protocol.h),
// then the command's byte, and for a few an argument. One row per command,
// in the order of their bytes.

#include <array>
#include <cstdint>

namespace kbx::protocol::device_command {

inline constexpr std::uint8_t kClosing = 0x10;  // the editor's version query ends with it
inline constexpr std::uint8_t kCardReaderAutoInputOn = 0x18;
inline constexpr std::uint8_t kCardReaderAutoInputOff = 0x19;
inline constexpr std::uint8_t kCardReaderReadData = 0x1A;
inline constexpr std::uint8_t kFunctionCardAutoInputOn = 0x1B;
inline constexpr std::uint8_t kFunctionCardAutoInputOff = 0x1C;
inline constexpr std::uint8_t kFunctionCardReadData = 0x1D;
inline constexpr std::uint8_t kKeyLockAutoInputOn = 0x1E;
inline constexpr std::uint8_t kKeyLockAutoInputOff = 0x1F;
inline constexpr std::uint8_t kKeyLockReadData = 0x20;
inline constexpr std::uint8_t kBarcodeAutoInputOn = 0x21;
inline constexpr std::uint8_t kBarcodeAutoInputOff = 0x22;
inline constexpr std::uint8_t kBarcodeReadData = 0x23;
inline constexpr std::uint8_t kInsuranceCardMode2 = 0x24;
inline constexpr std::uint8_t kInsuranceCardMode1 = 0x25;
inline constexpr std::uint8_t kInsuranceCardReadData = 0x26;
inline constexpr std::uint8_t kBarcodeConfig = 0x27;  // a text up to kTextEnd follows
inline constexpr std::uint8_t kBarcodeData = 0x28;    // a text up to kTextEnd follows
inline constexpr std::uint8_t kBeep = 0x2B;
inline constexpr std::uint8_t kCardReaderDeleteData = 0x31;
inline constexpr std::uint8_t kFatFingerOff = 0x32;
inline constexpr std::uint8_t kFatFingerOn = 0x33;
inline constexpr std::uint8_t kCardReaderTracks = 0x36;  // one byte follows: the tracks to read, 0-7
inline constexpr std::uint8_t kCardReaderCancelRead = 0x37;
inline constexpr std::array<std::uint8_t, 3> kCardReaderLeds{0x42, 0x43, 0x44};  // by LED state 0, 1, 2

// Ends the text of the barcode commands.
inline constexpr std::uint8_t kTextEnd = 0x00;

}  // namespace kbx::protocol::device_command
