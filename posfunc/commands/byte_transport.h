#pragma once

// The byte transport every command and the customer display use: the command
// bracket around a command (on the NT family the keyboard device is held while
// it lasts) and single bytes through the interface library.

#include <cstdint>

namespace kbxfunc {

struct FuncState;

inline constexpr int kCommandFailed = 1;

// Loads the interface library when needed, sets the busy flag and, on the NT
// family, holds the keyboard device. 0, or 1 when the library cannot be had.
int openCommandBracket(FuncState& state);
// Clears the busy flag; on the NT family releases an open bracket (0). 1 when
// there was nothing to release.
int closeCommandBracket(FuncState& state);
// One byte to the keyboard; the first byte of the process chooses the
// interface automatically unless one was chosen already. 0 when sent, else
// the interface library's result (1 when it cannot be loaded).
int sendCommandByte(FuncState& state, std::uint8_t byte);

}  // namespace kbxfunc
