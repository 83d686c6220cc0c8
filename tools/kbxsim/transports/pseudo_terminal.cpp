#include "tools/kbxsim/transports/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "tools/kbxsim/transports/open_files.h"
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

    slave_ = UniqueDescriptor(::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave_.valid()) fail("cannot open " + slavePath_);
    termios settings{};
    if (::tcgetattr(slave_.get(), &settings) != 0) fail("cannot read the settings of " + slavePath_);
    ::cfmakeraw(&settings);
    if (::tcsetattr(slave_.get(), TCSANOW, &settings) != 0) fail("cannot set " + slavePath_ + " to raw mode");
}

bool PseudoTerminal::heldExclusively() const {
    int held = 0;
    return slave_.valid() && ::ioctl(slave_.get(), TIOCGEXCL, &held) == 0 && held != 0;
}

// Whether a host still has the slave open is looked up in /proc rather than
// seen as a hang-up of the master: that would need the simulator's own slave
// descriptor closed, and opening it again needs the hold cleared first, which
// races with a live host that gives its hold back meanwhile and leaves the
// hold set again for nobody. A host that opens the line while a hold is left
// behind refuses it (the library reads TIOCGEXCL) and takes none; only a
// host that took the line in the moment between the look and the release,
// just after the last one gave it back, would lose its hold.
bool PseudoTerminal::releaseAbandonedHold() {
    if (!heldExclusively()) return false;
    struct stat slave {};
    if (::fstat(slave_.get(), &slave) != 0 || openElsewhere(slave.st_rdev, slave_.get())) return false;
    return ::ioctl(slave_.get(), TIOCNXCL) == 0;
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
