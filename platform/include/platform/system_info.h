#pragma once

// The operating-system family the libraries choose their keyboard-port
// transport by. Linux reports the NT 5 family; KBX_PLATFORM=nt4 or w95 makes
// it report those (tests cover every branch that way).

namespace kbx::platform {

struct SystemVersion {
    bool nt;    // the NT family
    int major;  // 4 or 5 for NT, 4 for the 95 family
};

SystemVersion systemVersion();

}  // namespace kbx::platform
