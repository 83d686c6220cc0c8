#pragma once

// The bytes the keyboard's customer display understands, and the display
// sequences built from them (between kbx::protocol::kDisplayStart and
// kDisplayEnd).

#include <cstdint>
#include <initializer_list>

namespace kbxfunc {

struct FuncState;
struct DisplayState;

inline constexpr std::uint8_t kClearDisplay = 0x01;
inline constexpr std::uint8_t kHomeFirstRow = 0xC0;
inline constexpr std::uint8_t kHomeSecondRow = 0xC1;
inline constexpr std::uint8_t kSetPosition = 0xC9;
inline constexpr std::uint8_t kFirstRowPosition = 0x80;   // + column
inline constexpr std::uint8_t kSecondRowPosition = 0x40;  // + column
inline constexpr std::uint8_t kDisplayControl = 0xC8;
inline constexpr std::uint8_t kSpace = 0x20;
// Where the second row starts in the cursor register.
inline constexpr int kSecondRowRegister = 64;

// One display sequence: 0xEC, the bytes, 0x00. A failed byte ends the bytes,
// but once 0xEC went out the closing 0x00 is still sent. 0 when everything
// was sent, else the first failed byte's result.
int sendDisplaySequence(FuncState& state, std::initializer_list<std::uint8_t> bytes);

// The display control byte: 8 + 4 x display on + 2 x cursor shown + blinking.
std::uint8_t displayControlByte(const DisplayState& display);

// A character's code on the display in the German display mode.
std::uint8_t germanDisplayCharacter(std::uint8_t character);

}  // namespace kbxfunc
