// The C functions through which every library of a process shares the
// platform library's loops and raw PS/2 ports.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "kbxplatform.h"
#include "platform/channel/serio_port.h"
#include "platform/tests/loop_test_support.h"

namespace kbx::platform {
namespace {

using testing::LoopTest;
using testing::Pipe;

// Counts the calls of a handler and of its release.
struct Counted {
    int runs = 0;
    int releases = 0;
};
void countRun(void* context, std::uintptr_t) { ++static_cast<Counted*>(context)->runs; }
void countRelease(void* context) { ++static_cast<Counted*>(context)->releases; }

using SharedLoop = LoopTest;

TEST_F(SharedLoop, EachHandlerIsReleasedOnceWhenTheLoopDropsIt) {
    Counted event, timer, restarted, watch, refused;
    kbx_platform_post(countRun, &event, countRelease);
    EXPECT_EQ(kbx_platform_dispatch(0), 1);
    EXPECT_EQ(event.runs, 1);
    EXPECT_EQ(event.releases, 1) << "a posted event runs once";

    const std::uintptr_t id = kbx_platform_set_timer(0, 1000, countRun, &timer, countRelease);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(kbx_platform_set_timer(id, 1000, countRun, &restarted, countRelease), id);
    EXPECT_EQ(timer.releases, 1) << "a restart replaces the handler";
    EXPECT_EQ(kbx_platform_kill_timer(id), 1);
    EXPECT_EQ(kbx_platform_kill_timer(id), 0);
    EXPECT_EQ(restarted.releases, 1);

    Pipe pipe;
    const std::uintptr_t watchId = kbx_platform_watch(pipe.readEnd.get(), countRun, &watch, countRelease);
    ASSERT_NE(watchId, 0u);
    kbx_platform_unwatch(watchId);
    EXPECT_EQ(watch.releases, 1);

    EXPECT_EQ(kbx_platform_watch(-1, countRun, &refused, countRelease), 0u);
    EXPECT_EQ(refused.releases, 1) << "a refused handler is released at once";
}

TEST_F(SharedLoop, AWatchHandlerReceivesItsWatchIdentifier) {
    Pipe pipe;
    std::uintptr_t seen = 0;
    const auto remember = [](void* context, std::uintptr_t id) { *static_cast<std::uintptr_t*>(context) = id; };
    const std::uintptr_t id = kbx_platform_watch(pipe.readEnd.get(), remember, &seen, nullptr);
    pipe.put();
    EXPECT_EQ(kbx_platform_dispatch(0), 1);
    EXPECT_EQ(seen, id);
    pipe.take();
    kbx_platform_unwatch(id);
}

TEST(SharedSerioPort, BytesBeyondOneTakeStayForTheNext) {
    int master = -1;
    int slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    UniqueFd keyboard(master);
    std::shared_ptr<SerioPort> port = SerioPort::over(UniqueFd(slave));
    ASSERT_TRUE(port);
    std::vector<std::uint8_t> typed(600);
    for (std::size_t i = 0; i < typed.size(); ++i) typed[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(::write(keyboard.get(), typed.data(), typed.size()), ssize_t(typed.size()));
    // All of them wait in the port before the take.
    int waiting = 0;
    for (int tries = 0; tries < 100 && waiting < int(typed.size()); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(::ioctl(port->descriptor(), FIONREAD, &waiting), 0);
    }
    ASSERT_EQ(waiting, int(typed.size()));
    EXPECT_EQ(port->take(), typed) << "one take hands out everything, in chunks of the C call";
}

}  // namespace
}  // namespace kbx::platform
