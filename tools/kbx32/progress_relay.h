#pragma once

#include "kbxc32.h"
#include "tools/kbx32/messages.h"

// Carries kbxc's progress callbacks to a message channel as kind-0 messages,
// each percentage once and only values 0-100.
//
// kbxc's callback receives nothing but the percentage, so the callback finds
// its channel in one process-wide slot, which a ProgressRelay fills for its
// lifetime. kbxc runs one compilation at a time per process, and so does
// kbx32: at most one relay exists at a time.
namespace kbx32 {

class ProgressRelay {
public:
    explicit ProgressRelay(MessageChannel& channel);
    ~ProgressRelay();
    ProgressRelay(const ProgressRelay&) = delete;
    ProgressRelay& operator=(const ProgressRelay&) = delete;

    // The function to hand to kbxc.
    static KbxcProgress callback();
};

}  // namespace kbx32
