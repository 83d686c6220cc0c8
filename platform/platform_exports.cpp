// The C functions through which applications integrate the calling thread's
// loop. No exception of a handler crosses this boundary: it ends the dispatch
// with -1, and whatever was not run stays due.

#include "platform/include/kbxplatform.h"

#include <chrono>

#include "platform/event_loop.h"

extern "C" {

KBXPLATFORM_EXPORT int kbx_platform_fd(void) {
    try {
        return kbx::platform::loopDescriptor();
    } catch (...) {
        return -1;
    }
}

KBXPLATFORM_EXPORT int kbx_platform_dispatch(int timeout_ms) {
    try {
        return kbx::platform::dispatch(std::chrono::milliseconds(timeout_ms));
    } catch (...) {
        return -1;
    }
}

}
