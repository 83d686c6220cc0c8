#pragma once

// Bytes sent straight to the keyboard, each waiting for the keyboard's
// answer: on the NT family through the interface library's driver
// functions, on the Windows 95 family through the keyboard controller.

#include <cstdint>

namespace kbxfunc {

struct FuncState;

// Polls of the driver for the keyboard's answer.
inline constexpr int kDriverAnswerPolls = 8191;
// Consecutive failed attempts at one byte before a string is given up.
inline constexpr int kStringAttempts = 100;

// 0 when the keyboard acknowledged the byte, else 1.
int sendDirectByte(FuncState& state, std::uint8_t byte);
// 1 when every byte was acknowledged, 0 when a byte failed kStringAttempts
// times in a row (or there is no text).
int sendDirectString(FuncState& state, const char* text);

}  // namespace kbxfunc
