#include "tools/kbxsim/transports/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "tools/kbxsim/transports/termios_speeds.h"

namespace kbxsim {
namespace {

constexpr std::size_t kPathCapacity = 128;

[[noreturn]] void fail(std::string_view what) {
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = UniqueDescriptor(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!master_.valid()) fail("cannot create a pseudo-terminal");
    if (::grantpt(master_.get()) != 0) fail("cannot grant the pseudo-terminal");
    if (::unlockpt(master_.get()) != 0) fail("cannot unlock the pseudo-terminal");

    std::array<char, kPathCapacity> path{};
    if (::ptsname_r(master_.get(), path.data(), path.size()) != 0) fail("cannot name the pseudo-terminal");
    slavePath_ = path.data();

    openSlave();
    if (!slave_.valid()) fail("cannot open " + slavePath_);
    termios settings{};
    if (::tcgetattr(slave_.get(), &settings) != 0) fail("cannot read the settings of " + slavePath_);
    ::cfmakeraw(&settings);
    if (::tcsetattr(slave_.get(), TCSANOW, &settings) != 0) fail("cannot set " + slavePath_ + " to raw mode");
}

void PseudoTerminal::openSlave() {
    slave_ = UniqueDescriptor(::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
}

bool PseudoTerminal::heldExclusively() const {
    int held = 0;
    return slave_.valid() && ::ioctl(slave_.get(), TIOCGEXCL, &held) == 0 && held != 0;
}

// Whether the host still has the slave open is seen on the master once the
// simulator's own slave descriptor is closed: the close of the last slave
// file sets TTY_OTHER_CLOSED on the master, which then polls as hung up
// (drivers/tty/pty.c, pty_close), and a new open of the slave clears it again
// (pty_open). The hold is cleared before that close, so that the slave can be
// opened again without CAP_SYS_ADMIN, and put back for a host that is alive.
bool PseudoTerminal::releaseAbandonedHold() {
    if (!slave_.valid()) openSlave();
    if (!heldExclusively()) return false;
    ::ioctl(slave_.get(), TIOCNXCL);
    slave_.reset();
    pollfd master{master_.get(), POLLIN, 0};
    const bool hostGone = ::poll(&master, 1, 0) >= 0 && (master.revents & POLLHUP) != 0;
    openSlave();
    if (!hostGone && slave_.valid()) ::ioctl(slave_.get(), TIOCEXCL);
    return hostGone;
}

std::optional<LineObservation> PseudoTerminal::observeLine() const {
    // On Linux the master answers with the slave's settings.
    termios settings{};
    if (::tcgetattr(master_.get(), &settings) != 0) return std::nullopt;
    // The pty driver keeps CS8 and clears PARENB whatever the slave asks
    // for (drivers/tty/pty.c, pty_set_termios); PARODD stays. So odd parity
    // is seen, even parity and seven data bits are not.
    constexpr int kStartBit = 1;
    const int dataBits = (settings.c_cflag & CSIZE) == CS7 ? 7 : 8;
    const int parityBits = (settings.c_cflag & (PARENB | PARODD)) != 0 ? 1 : 0;
    const int stopBits = (settings.c_cflag & CSTOPB) != 0 ? 2 : 1;
    return LineObservation{baudOfSpeed(::cfgetospeed(&settings)).value_or(0), (settings.c_cflag & PARODD) != 0,
                           kStartBit + dataBits + parityBits + stopBits};
}

}  // namespace kbxsim
