#pragma once

// The state of the command bracket and the byte transport (filled in by the
// command code).

namespace kbxfunc {

struct CommandState {};

}  // namespace kbxfunc
