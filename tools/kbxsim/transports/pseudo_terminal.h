#pragma once

// The pseudo-terminal of the serial channel. The host opens the slave as its
// serial port; the simulated keyboard reads and writes the master.
//
// The simulator keeps a descriptor of the slave open itself, so that the
// master does not hang up each time the host closes its port, and sets that
// slave to raw mode, so that nothing is echoed or translated before the host
// configures the line.
//
// A host that takes the line exclusively (TIOCEXCL) and dies before it gives
// it back leaves the flag on the slave: the kernel keeps it in the slave's
// tty, which lives as long as the master is open, and clears it only on
// TIOCNXCL (drivers/tty/tty_io.c: TIOCEXCL/TIOCNXCL in tty_ioctl, the EBUSY
// for openers without CAP_SYS_ADMIN in tty_reopen). releaseAbandonedHold()
// gives such a line back.

#include <optional>
#include <string>

#include "kbxsim/line_settings.h"
#include "tools/kbxsim/transports/unique_descriptor.h"

namespace kbxsim {

class PseudoTerminal {
public:
    // Throws std::runtime_error when the pseudo-terminal cannot be made.
    PseudoTerminal();

    int master() const { return master_.get(); }
    const std::string& slavePath() const { return slavePath_; }

    // The slave's line settings as the host set them, read through the
    // master; nothing when they cannot be read.
    std::optional<LineObservation> observeLine() const;

    // Whether the slave is held exclusively (TIOCGEXCL).
    bool heldExclusively() const;

    // Clears an exclusive hold whose host has closed the slave (a killed
    // host) and leaves the hold of a host that still has it open. True when
    // a hold was given back. A host of another user is not seen without
    // privileges: its hold counts as left behind.
    bool releaseAbandonedHold();

private:
    UniqueDescriptor master_;
    UniqueDescriptor slave_;
    std::string slavePath_;
};

}  // namespace kbxsim
