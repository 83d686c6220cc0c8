#include "editor/ui/app/platform_loop_watcher.h"

#include "kbxplatform.h"

namespace keyui::app {

PlatformLoopWatcher::PlatformLoopWatcher(QObject* parent) : QObject(parent) {
    const int descriptor = kbx_platform_fd();
    if (descriptor < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [] { kbx_platform_dispatch(0); });
}

}  // namespace keyui::app
