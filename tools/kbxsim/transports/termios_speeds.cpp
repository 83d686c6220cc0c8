#include "tools/kbxsim/transports/termios_speeds.h"

#include <array>

namespace kbxsim {
namespace {

struct Speed {
    speed_t speed;
    int baud;
};

constexpr std::array kSpeeds{
    Speed{B50, 50},         Speed{B75, 75},         Speed{B110, 110},         Speed{B134, 134},
    Speed{B150, 150},       Speed{B200, 200},       Speed{B300, 300},         Speed{B600, 600},
    Speed{B1200, 1200},     Speed{B1800, 1800},     Speed{B2400, 2400},       Speed{B4800, 4800},
    Speed{B9600, 9600},     Speed{B19200, 19200},   Speed{B38400, 38400},     Speed{B57600, 57600},
    Speed{B115200, 115200}, Speed{B230400, 230400}, Speed{B460800, 460800},   Speed{B921600, 921600},
};

}  // namespace

std::optional<int> baudOfSpeed(speed_t speed) {
    for (const Speed& entry : kSpeeds) {
        if (entry.speed == speed) return entry.baud;
    }
    return std::nullopt;
}

std::optional<speed_t> speedOfBaud(int baud) {
    for (const Speed& entry : kSpeeds) {
        if (entry.baud == baud) return entry.speed;
    }
    return std::nullopt;
}

}  // namespace kbxsim
