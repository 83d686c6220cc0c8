#pragma once

// Baud rates and the termios speed constants that stand for them.

#include <termios.h>

#include <optional>

namespace kbxsim {

std::optional<int> baudOfSpeed(speed_t speed);
std::optional<speed_t> speedOfBaud(int baud);

}  // namespace kbxsim
