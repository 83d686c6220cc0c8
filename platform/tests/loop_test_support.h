#pragma once

// Helpers of the event-loop tests: a fixture that starts and ends every test
// with an empty loop, a pipe, and a poll of the loop descriptor.

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "platform/event_loop.h"
#include "kbxplatform.h"
#include "platform/unique_fd.h"

namespace kbx::platform::testing {

using namespace std::chrono_literals;

// Long enough for anything that is due to become due on a busy machine;
// tests that pass never wait this long.
constexpr std::chrono::milliseconds kPatience = 2000ms;

class LoopTest : public ::testing::Test {
protected:
    void SetUp() override { resetLoopForTests(); }
    void TearDown() override { resetLoopForTests(); }
};

struct Pipe {
    UniqueFd readEnd;
    UniqueFd writeEnd;

    Pipe() {
        int ends[2] = {-1, -1};
        EXPECT_EQ(::pipe(ends), 0);
        readEnd = UniqueFd(ends[0]);
        writeEnd = UniqueFd(ends[1]);
    }
    void put(char byte = 'x') const { EXPECT_EQ(::write(writeEnd.get(), &byte, 1), 1); }
    char take() const {
        char byte = 0;
        EXPECT_EQ(::read(readEnd.get(), &byte, 1), 1);
        return byte;
    }
};

inline bool isReadable(int fd, int timeoutMs) {
    pollfd probe{fd, POLLIN, 0};
    return ::poll(&probe, 1, timeoutMs) == 1 && (probe.revents & POLLIN) != 0;
}

inline bool loopIsReadable(int timeoutMs) { return isReadable(kbx_platform_fd(), timeoutMs); }

}  // namespace kbx::platform::testing
