#include "iface/shared_timer.h"

namespace kbxi {

void SharedTimer::restart(unsigned milliseconds, kbx::platform::TimerProc proc) {
    id_ = kbx::platform::setTimer(id_, milliseconds, proc);
}

void SharedTimer::stop() {
    if (id_ != 0) kbx::platform::killTimer(id_);
    id_ = 0;
}

}  // namespace kbxi
