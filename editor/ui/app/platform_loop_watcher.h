#pragma once

// Runs the keyboard libraries' event loop of the window's thread from Qt's
// loop: their timers, posted events and watched descriptors run whenever
// the loop descriptor (kbx_platform_fd) becomes readable, so nothing of the
// libraries waits for a call that blocks the window.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace keyui::app {

class PlatformLoopWatcher : public QObject {
    Q_OBJECT
public:
    explicit PlatformLoopWatcher(QObject* parent = nullptr);

    // False when the thread's loop descriptor could not be had.
    bool watching() const { return notifier_ != nullptr; }

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace keyui::app
