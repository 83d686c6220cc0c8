// The libraries' loop of the window's thread runs from Qt's loop: what they
// post and their timers run without any call into them.
#include <gtest/gtest.h>

#include <QTest>

#include "editor/ui/app/platform_loop_watcher.h"
#include "platform/event_loop.h"

namespace keyui::app {
namespace {

TEST(PlatformLoopWatcher, PostedEventsAndTimersOfTheLibrariesRunFromQtsLoop) {
    const PlatformLoopWatcher watcher;
    ASSERT_TRUE(watcher.watching());
    bool posted = false;
    int ticks = 0;
    kbx::platform::postEvent([&] { posted = true; });
    const kbx::platform::TimerId timer = kbx::platform::setTimer(0, 10, [&](kbx::platform::TimerId) { ++ticks; });
    ASSERT_NE(timer, 0u);
    QTRY_VERIFY_WITH_TIMEOUT(posted && ticks >= 3, 2000);
    kbx::platform::killTimer(timer);
}

}  // namespace
}  // namespace keyui::app
