#pragma once

// The pseudo-terminal of the serial channel. The host opens the slave as its
// serial port; the simulated keyboard reads and writes the master.
//
// The simulator keeps a descriptor of the slave open itself, so that the
// master does not hang up each time the host closes its port, and sets that
// slave to raw mode, so that nothing is echoed or translated before the host
// configures the line.

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

private:
    UniqueDescriptor master_;
    UniqueDescriptor slave_;
    std::string slavePath_;
};

}  // namespace kbxsim
