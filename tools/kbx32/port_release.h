#pragma once

#include <string>

// A serial port that kbx32 holds when it is stopped: the interface library
// takes its port exclusively (TIOCEXCL) for the length of a call and gives it
// back when it closes it. A run stopped by SIGTERM (the editor's close box) or
// SIGINT (Ctrl+C) in the middle of a call would leave that hold behind on a
// line whose tty outlives the run, a pseudo-terminal above all, and every
// later open would be refused. So on those signals kbx32 gives the port back
// first and then ends by the same signal, as it did before.
namespace kbx32 {

// Arms the release for the device of the serial port that `interfaceString`
// names (after --port and KBX_COMn are applied); nothing for other
// interfaces or a device that does not exist.
void releasePortWhenStopped(const std::string& interfaceString);

}  // namespace kbx32
