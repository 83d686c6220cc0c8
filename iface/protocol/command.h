#pragma once

// Sending command bytes to the keyboard, framed as protocol bytes or raw,
// and taking back what a serial keyboard answers.

#include "iface/message_buffer.h"

namespace kbxi {

class Link;

namespace command_code {
inline constexpr int kInvalid = -1;   // no length or buffer, or a length outside 0-257
inline constexpr int kUnbound = -16;  // the point-of-sale library could not be bound: nothing sent
}  // namespace command_code

// Sends the first *length bytes of `buffer`; on return *length and `buffer`
// hold the serial reply (at most 256 bytes and a NUL, so the buffer holds
// 257 bytes), or nothing. 0, the failed byte's send result, or a code above.
int sendCommand(Link& link, int* length, unsigned char* buffer, bool raw, MessageBuffer& message);

}  // namespace kbxi
