// The exclusive hold (TIOCEXCL) a host leaves on the simulated keyboard's line
// when it ends without giving it back. The kernel keeps the flag in the
// slave's tty for as long as the master is open and clears it only on
// TIOCNXCL (drivers/tty/tty_io.c, tty_ioctl); tty_reopen refuses such a tty
// with EBUSY to openers without CAP_SYS_ADMIN, so the flag is read here
// (TIOCGEXCL) rather than an open tried, which root would pass.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "kbxsim/simulator.h"

namespace kbxsim::test {
namespace {

using Clock = std::chrono::steady_clock;
// Several quiet intervals of the channel's check (a quarter second each),
// with room for a slow machine.
constexpr auto kGiveBackLimit = std::chrono::seconds(5);
constexpr auto kSeveralChecks = std::chrono::milliseconds(800);

int openLine(const std::string& path) { return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); }

bool heldExclusively(const std::string& path) {
    const int probe = openLine(path);
    if (probe < 0) return true;  // EBUSY: held, for a user without CAP_SYS_ADMIN
    int held = 0;
    ::ioctl(probe, TIOCGEXCL, &held);
    ::close(probe);
    return held != 0;
}

TEST(ExclusiveHold, AHoldLeftByAHostThatClosedTheLineIsGivenBack) {
    Simulator keyboard;
    const int host = openLine(keyboard.slavePath());
    ASSERT_GE(host, 0);
    ASSERT_EQ(::ioctl(host, TIOCEXCL), 0);
    ::close(host);  // as a killed host's descriptors are closed: no TIOCNXCL
    ASSERT_TRUE(heldExclusively(keyboard.slavePath()));

    const auto deadline = Clock::now() + kGiveBackLimit;
    while (heldExclusively(keyboard.slavePath()) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(heldExclusively(keyboard.slavePath()));
}

TEST(ExclusiveHold, AHostThatStillHasTheLineOpenKeepsItsHold) {
    Simulator keyboard;
    const int host = openLine(keyboard.slavePath());
    ASSERT_GE(host, 0);
    ASSERT_EQ(::ioctl(host, TIOCEXCL), 0);
    std::this_thread::sleep_for(kSeveralChecks);  // the line quiet all along
    int held = 0;
    EXPECT_EQ(::ioctl(host, TIOCGEXCL, &held), 0);
    EXPECT_NE(held, 0);
    ::ioctl(host, TIOCNXCL);
    ::close(host);
}

}  // namespace
}  // namespace kbxsim::test
