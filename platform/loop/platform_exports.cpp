// The C functions of the calling thread's loop: the two through which
// applications integrate it, and those through which the libraries of the
// process put their timers, events and watches on it. No exception of a
// handler crosses kbx_platform_dispatch: it ends the dispatch with -1, and
// whatever was not run stays due.

#include "kbxplatform.h"

#include <chrono>
#include <memory>

#include "platform/loop/thread_loop.h"

namespace {

using kbx::platform::currentLoop;
using kbx::platform::ThreadLoop;

// A handler given through the C functions; its release runs when the loop
// drops the last copy of the function object that holds it.
class CHandler {
public:
    CHandler(KbxPlatformHandler handler, void* context, KbxPlatformRelease release)
        : handler_(handler), context_(context), release_(release) {}
    ~CHandler() {
        if (release_ != nullptr) release_(context_);
    }
    CHandler(const CHandler&) = delete;
    CHandler& operator=(const CHandler&) = delete;

    void run(std::uintptr_t id) const { handler_(context_, id); }

private:
    KbxPlatformHandler handler_;
    void* context_;
    KbxPlatformRelease release_;
};

std::shared_ptr<CHandler> holdHandler(KbxPlatformHandler handler, void* context, KbxPlatformRelease release) {
    return std::make_shared<CHandler>(handler, context, release);
}

constexpr std::uintptr_t kEventId = 0;

}  // namespace

extern "C" {

KBXPLATFORM_EXPORT int kbx_platform_fd(void) {
    try {
        ThreadLoop* loop = currentLoop();
        return loop != nullptr ? loop->descriptor() : -1;
    } catch (...) {
        return -1;
    }
}

KBXPLATFORM_EXPORT int kbx_platform_dispatch(int timeout_ms) {
    try {
        return kbx_platform_dispatch_nested(timeout_ms);
    } catch (...) {
        return -1;
    }
}

KBXPLATFORM_EXPORT int kbx_platform_dispatch_nested(int timeout_ms) {
    ThreadLoop* loop = currentLoop();
    return loop != nullptr ? loop->dispatch(std::chrono::milliseconds(timeout_ms)) : -1;
}

// A thread whose loop has ended starts nothing and has nothing to stop.
KBXPLATFORM_EXPORT std::uintptr_t kbx_platform_set_timer(std::uintptr_t existing, unsigned milliseconds,
                                                         KbxPlatformHandler handler, void* context,
                                                         KbxPlatformRelease release) {
    std::shared_ptr<CHandler> held = holdHandler(handler, context, release);
    ThreadLoop* loop = currentLoop();
    if (handler == nullptr || loop == nullptr) return 0;
    return loop->setTimer(existing, milliseconds, [held](std::uintptr_t id) { held->run(id); });
}

KBXPLATFORM_EXPORT int kbx_platform_kill_timer(std::uintptr_t id) {
    ThreadLoop* loop = currentLoop();
    return loop != nullptr && loop->killTimer(id) ? 1 : 0;
}

KBXPLATFORM_EXPORT void kbx_platform_post(KbxPlatformHandler handler, void* context, KbxPlatformRelease release) {
    std::shared_ptr<CHandler> held = holdHandler(handler, context, release);
    ThreadLoop* loop = currentLoop();
    if (handler == nullptr || loop == nullptr) return;
    loop->post([held] { held->run(kEventId); });
}

KBXPLATFORM_EXPORT std::uintptr_t kbx_platform_watch(int fd, KbxPlatformHandler handler, void* context,
                                                     KbxPlatformRelease release) {
    std::shared_ptr<CHandler> held = holdHandler(handler, context, release);
    ThreadLoop* loop = currentLoop();
    if (handler == nullptr || loop == nullptr) return 0;
    // The identifier the handler receives is the watch's; it is known only
    // once the watch is added.
    auto id = std::make_shared<std::uintptr_t>(0);
    *id = loop->watch(fd, [held, id] { held->run(*id); });
    return *id;
}

KBXPLATFORM_EXPORT void kbx_platform_unwatch(std::uintptr_t id) {
    if (ThreadLoop* loop = currentLoop()) loop->unwatch(id);
}

KBXPLATFORM_EXPORT void kbx_platform_reset_loop(void) {
    if (ThreadLoop* loop = currentLoop()) loop->reset();
}

}
