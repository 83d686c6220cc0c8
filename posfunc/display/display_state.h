#pragma once

// The customer display's images, geometry, timing and timers (filled in by
// the display code).

namespace kbxfunc {

struct DisplayState {};

}  // namespace kbxfunc
