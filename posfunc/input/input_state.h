#pragma once

// The state of opening, the frame reader, raw capture, the callbacks, the
// keyboard and the language (filled in by the input code).

namespace kbxfunc {

struct InputState {
    bool open = false;  // kbx_open succeeded and kbx_close has not run
};

}  // namespace kbxfunc
