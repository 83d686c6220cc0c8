#pragma once

namespace kbxi {

// The result of a byte the keyboard port did not take, on every one of its
// transports.
inline constexpr int kByteNotTaken = 1;

}  // namespace kbxi
