#pragma once

#include <sys/types.h>

// Who has a device open, as /proc shows it (proc(5): /proc/PID/fd holds a
// link per open descriptor; stat() through it reaches the file itself).
namespace kbxsim {

// Whether any descriptor of any process names the character device `device`,
// besides `ownDescriptor` of this process. Processes whose descriptors this
// one may not read (another user's, without privileges) are not seen.
bool openElsewhere(dev_t device, int ownDescriptor);

}  // namespace kbxsim
