#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The layout of a keyboard image (.kbx). Offsets are file offsets and, since
// the keyboard stores the image at the same addresses, memory addresses too.
// Numbers of two bytes are big-endian.
namespace kbx::image {

inline constexpr std::string_view kMagic = "Vyrn";
inline constexpr std::size_t kLanguageByteOffset = 4;
inline constexpr std::size_t kSerialByteOffset = 5;
inline constexpr std::size_t kLengthOffset = 6;
inline constexpr std::size_t kKeySlotsOffset = 8;
inline constexpr int kStandardSlotCount = 142;  // key indexes 0-141
inline constexpr std::size_t kClickVolumeOffset = 292;
inline constexpr std::size_t kClickDurationOffset = 293;
inline constexpr std::size_t kAlarmVolumeOffset = 294;
inline constexpr std::size_t kAlarmDurationOffset = 295;
inline constexpr std::size_t kHotKey0Offset = 296;
inline constexpr std::size_t kHotKey1Offset = 299;
inline constexpr std::size_t kHotKeySize = 3;
inline constexpr std::size_t kChainHeadOffset = 302;
inline constexpr std::uint16_t kChainEnd = 302;  // link value of the last block
inline constexpr std::size_t kStandardDataOffset = 304;

// Wide image (models with more than 128 matrix keys): key indexes 158-189
// have their slots at 304-367, offsets 398-399 hold the chain end marker and
// the data area starts at 400.
inline constexpr int kWideFirstKey = 158;
inline constexpr int kWideLastKey = 189;
inline constexpr std::size_t kWideSlotsOffset = 304;
inline constexpr std::size_t kWideMarkerOffset = 398;
inline constexpr std::size_t kWideDataOffset = 400;

// Language byte: bits 0-2 interface, bit 3 ShiftLock behaviour, bits 4-6
// language.
inline constexpr std::uint8_t kInterfaceBits = 0x07;
inline constexpr std::uint8_t kShiftLockBit = 0x08;
inline constexpr int kLanguageShift = 4;
inline constexpr std::uint8_t kLanguageBits = 0x70;

// Serial byte: bit 7 in use, bits 5-6 parity, bit 4 eight data bits, bit 3
// RTS/CTS handshake, bits 0-2 baud rate.
inline constexpr std::uint8_t kSerialInUse = 0x80;
inline constexpr int kParityShift = 5;
inline constexpr std::uint8_t kParityBits = 0x60;
inline constexpr std::uint8_t kEightDataBits = 0x10;
inline constexpr std::uint8_t kHandshake = 0x08;
inline constexpr std::uint8_t kBaudBits = 0x07;

// Rate byte (block 2): bits 0-4 rate code, bits 5-6 delay index; mode byte C
// (block 1): bit 7 a mode switch, bits 0-6 the slow output speed.
inline constexpr std::uint8_t kRateBits = 0x1F;
inline constexpr int kDelayShift = 5;
inline constexpr std::uint8_t kDelayBits = 0x60;
inline constexpr std::uint8_t kSlowOutputBits = 0x7F;

// A key slot below this value is a short-form definition (its make code);
// 0 means no definition; a value of at least the data offset points to the
// key's first definition record.
inline constexpr std::uint16_t kShortFormLimit = 256;

// Parameter block: link (2), number (1), data length minus 1 (1), data.
inline constexpr std::size_t kBlockHeaderSize = 4;
inline constexpr int kFirstBlockNumber = 1;
inline constexpr int kLastBlockNumber = 8;
inline constexpr std::size_t kMaxBlockData = 255;

// Definition record: link (2), state, mask, attributes, bytes, zero.
inline constexpr std::size_t kRecordHeaderSize = 5;

// The image length field has 16 bits.
inline constexpr std::size_t kMaxImageLength = 0xFFFF;

inline constexpr std::size_t keySlotOffset(int keyIndex) {
    return keyIndex >= kWideFirstKey ? kWideSlotsOffset + 2 * std::size_t(keyIndex - kWideFirstKey)
                                     : kKeySlotsOffset + 2 * std::size_t(keyIndex);
}

}  // namespace kbx::image
