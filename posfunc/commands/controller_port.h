#pragma once

// The keyboard controller's ports, the direct way a byte reaches the keyboard
// on the Windows 95 family: the controller's command byte is cleared, the
// byte written to the data port and the keyboard's answer read back.

#include <cstdint>
#include <memory>
#include <string>

namespace kbx::platform {
class KeyboardChannel;
}

namespace kbxfunc {

// Polls of the status port while waiting for the keyboard's answer.
inline constexpr int kAnswerPolls = 0x2FFF;

// 0 when the keyboard acknowledged the byte with 0xFA, else 1 (also when the
// ports stop answering).
int sendThroughController(kbx::platform::KeyboardChannel& ports, std::uint8_t byte);

// The controller's ports of this machine; null when there are none, with
// why when they are named and cannot be opened.
std::unique_ptr<kbx::platform::KeyboardChannel> openDefaultControllerChannel(std::string& why);

}  // namespace kbxfunc
