#include "iface/transports/serial_line.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>

namespace kbxi::serial_line {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct BaudRate {
    int baud;
    speed_t speed;
};

// The rates a settings text can name (multiples of 300) that the terminal
// driver knows.
constexpr std::array kBaudRates{
    BaudRate{300, B300},         BaudRate{600, B600},         BaudRate{1200, B1200},
    BaudRate{1800, B1800},       BaudRate{2400, B2400},       BaudRate{4800, B4800},
    BaudRate{9600, B9600},       BaudRate{19200, B19200},     BaudRate{38400, B38400},
    BaudRate{57600, B57600},     BaudRate{115200, B115200},   BaudRate{230400, B230400},
#ifdef B460800
    BaudRate{460800, B460800},   BaudRate{576000, B576000},   BaudRate{921600, B921600},
    BaudRate{1152000, B1152000}, BaudRate{1500000, B1500000}, BaudRate{3000000, B3000000},
#endif
};

struct ParityFlags {
    char letter;
    tcflag_t control;
};

constexpr std::array kParities{
    ParityFlags{'E', PARENB},
    ParityFlags{'O', PARENB | PARODD},
    ParityFlags{'N', 0},
};

std::optional<speed_t> speedFor(int baud) {
    for (const BaudRate& rate : kBaudRates) {
        if (rate.baud == baud) return rate.speed;
    }
    return std::nullopt;
}

tcflag_t parityFlags(char letter) {
    for (const ParityFlags& parity : kParities) {
        if (parity.letter == letter) return parity.control;
    }
    return 0;
}

// Whether the line holds `wanted` in everything a pseudo-terminal keeps. It
// forces 8 data bits and no parity bit on every set, and when those were the
// only changes asked for, the set can report an invalid argument although
// the line is as it should be.
bool lineHolds(int descriptor, const termios& wanted) {
    termios actual{};
    if (::tcgetattr(descriptor, &actual) != 0) return false;
    tcflag_t forced = CSIZE | PARENB;
#ifdef CIBAUD
    forced |= CIBAUD;
#endif
    return (actual.c_cflag & ~forced) == (wanted.c_cflag & ~forced) &&
           actual.c_iflag == wanted.c_iflag && actual.c_oflag == wanted.c_oflag &&
           actual.c_lflag == wanted.c_lflag && ::cfgetispeed(&actual) == ::cfgetispeed(&wanted) &&
           ::cfgetospeed(&actual) == ::cfgetospeed(&wanted);
}

// What is left of the time until `deadline`, rounded up, as poll takes it.
int pollTimeUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
    return int(std::clamp<milliseconds::rep>(left.count(), 0, 1'000'000'000));
}

constexpr short kEndOfLine = POLLHUP | POLLERR | POLLNVAL;

}  // namespace

int openExclusive(const std::string& path) {
    if (path.empty()) return -1;
    // Without O_NONBLOCK the open of a serial device could wait for carrier.
    // The descriptor stays non-blocking: reads and writes try first and wait
    // through poll, within their time-outs, only when the line is not ready.
    const int descriptor = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return -1;
    if (!::isatty(descriptor)) return descriptor;  // no line: reading its state fails later
#ifdef TIOCGEXCL
    // A privileged process may open an exclusive terminal all the same, so
    // the hold is looked at, not only relied on.
    int heldExclusively = 0;
    if (::ioctl(descriptor, TIOCGEXCL, &heldExclusively) == 0 && heldExclusively != 0) {
        ::close(descriptor);
        return -1;
    }
#endif
    if (::ioctl(descriptor, TIOCEXCL) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

bool closeDevice(int descriptor) {
    // The exclusive hold belongs to the terminal, not to the descriptor: a
    // pseudo-terminal would stay locked for the next open without this.
    ::ioctl(descriptor, TIOCNXCL);
    return ::close(descriptor) == 0 || errno == EINTR;  // EINTR: closed all the same
}

// TIOCGSERIAL fails with ENOTTY on a tty whose driver keeps no serial
// settings (drivers/tty/tty_io.c, tty_tiocgserial): pseudo-terminals, for one.
bool requestLowLatency(int descriptor) {
    serial_struct serial{};
    if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0) return false;
    if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return false;
    serial.flags |= ASYNC_LOW_LATENCY;
    return ::ioctl(descriptor, TIOCSSERIAL, &serial) == 0;
}

void dropLowLatency(int descriptor) {
    serial_struct serial{};
    if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0) return;
    serial.flags &= ~ASYNC_LOW_LATENCY;
    ::ioctl(descriptor, TIOCSSERIAL, &serial);
}

bool stateReadable(int descriptor) {
    termios line{};
    return ::tcgetattr(descriptor, &line) == 0;
}

bool applyLineSettings(int descriptor, const LineSettings& settings) {
    termios line{};
    if (::tcgetattr(descriptor, &line) != 0) return false;
    const std::optional<speed_t> speed = speedFor(settings.baud);
    if (!speed) return false;

    ::cfmakeraw(&line);
    if (::cfsetispeed(&line, *speed) != 0 || ::cfsetospeed(&line, *speed) != 0) return false;
    const tcflag_t parity = parityFlags(settings.parity);
    line.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
    line.c_cflag |= tcflag_t((settings.dataBits == 7 ? CS7 : CS8) | CLOCAL | CREAD) | parity;
    line.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY | INPCK);
    if (parity & PARENB) line.c_iflag |= INPCK;
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 0;
    return ::tcsetattr(descriptor, TCSANOW, &line) == 0 || lineHolds(descriptor, line);
}

void dropModemLines(int descriptor) {
    const int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(descriptor, TIOCMBIC, &lines);  // fails on a pseudo-terminal, which has none
}

bool discardInput(int descriptor) { return ::tcflush(descriptor, TCIFLUSH) == 0; }

bool discardOutput(int descriptor) { return ::tcflush(descriptor, TCOFLUSH) == 0; }

bool finishOutput(int descriptor) {
    // Once the line has sent what was written there is nothing left to
    // discard; discarding before that would lose the byte just sent.
    while (::tcdrain(descriptor) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

bool writeByte(int descriptor, std::uint8_t byte, milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        const ssize_t written = ::write(descriptor, &byte, 1);
        if (written == 1) return true;
        if (written < 0 && errno == EINTR) continue;
        if (written == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) return false;
        // The line is full: wait for room, within the write time-out.
        pollfd watch{descriptor, POLLOUT, 0};
        const int ready = ::poll(&watch, 1, pollTimeUntil(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        if (!(watch.revents & POLLOUT) && (watch.revents & kEndOfLine)) return false;
    }
}

ReadOutcome readBytes(int descriptor, std::uint8_t* buffer, std::size_t count,
                      const SerialTimeouts& timeouts) {
    ReadOutcome outcome;
    if (buffer == nullptr || count == 0) return outcome;
    const Clock::time_point deadline = Clock::now() + readTimeLimit(timeouts, count);
    const bool pausesLimited = timeouts.readInterval > milliseconds{0};

    while (outcome.count < count && Clock::now() < deadline) {
        int wait = pollTimeUntil(deadline);
        const bool waitingForPause = pausesLimited && outcome.count > 0 &&
                                     timeouts.readInterval.count() < wait;
        if (waitingForPause) wait = int(timeouts.readInterval.count());

        pollfd watch{descriptor, POLLIN, 0};
        const int ready = ::poll(&watch, 1, wait);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) {
            outcome.failed = true;
            break;
        }
        if (ready == 0) {
            if (waitingForPause) break;
            continue;
        }
        if (watch.revents & POLLIN) {
            const ssize_t got = ::read(descriptor, buffer + outcome.count, count - outcome.count);
            if (got > 0) {
                outcome.count += std::size_t(got);
                continue;
            }
            if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            outcome.failed = true;  // 0: the other end hung up
            break;
        }
        if (watch.revents & kEndOfLine) {
            outcome.failed = true;
            break;
        }
    }
    return outcome;
}

}  // namespace kbxi::serial_line
