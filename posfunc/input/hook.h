#pragma once

// The keyboard hook procedure: takes module frames and captured key codes
// out of the keystroke stream and lets every other key event through.

#include <cstdint>

namespace kbxfunc {

struct FuncState;

// What the hook answers for one key event.
enum class HookResult : int { passedOn = 0, swallowed = 1 };

// One key event (`code` as the hook receives it, the key data of
// platform/channel_protocol.h). A negative code is not for this hook and is
// passed on untouched.
HookResult hookProcedure(FuncState& state, int code, std::uint32_t keyData);

}  // namespace kbxfunc
