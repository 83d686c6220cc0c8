#include <stdexcept>
#include <thread>
#include <vector>

#include "loop_test_support.h"

namespace kbx::platform::testing {
namespace {

using TimerTest = LoopTest;

TEST_F(TimerTest, TimersFireInTheOrderTheyBecomeDue) {
    std::vector<int> fired;
    for (const unsigned ms : {30u, 10u, 20u}) {
        setTimer(0, ms, [&fired, ms](TimerId id) {
            fired.push_back(static_cast<int>(ms));
            killTimer(id);
        });
    }
    ASSERT_TRUE(runUntil([&] { return fired.size() == 3; }, kPatience));
    EXPECT_EQ(fired, (std::vector<int>{10, 20, 30}));
}

TEST_F(TimerTest, ATimerFiresAgainUntilKilled) {
    int ticks = 0;
    const TimerId id = setTimer(0, 5, [&](TimerId) { ++ticks; });
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(runUntil([&] { return ticks == 3; }, kPatience));
    EXPECT_TRUE(killTimer(id));
    EXPECT_FALSE(killTimer(id));
    runUntil([] { return false; }, 30ms);
    EXPECT_EQ(ticks, 3);
}

TEST_F(TimerTest, RestartKeepsTheIdentifierAndTakesTheNewIntervalAndProcedure) {
    int first = 0;
    int second = 0;
    const TimerId id = setTimer(0, 60000, [&](TimerId) { ++first; });
    const TimerId again = setTimer(id, 5, [&](TimerId) { ++second; });
    EXPECT_EQ(again, id);
    ASSERT_TRUE(runUntil([&] { return second > 0; }, kPatience));
    EXPECT_EQ(first, 0);
}

TEST_F(TimerTest, RestartingAKilledTimerStartsOneWithAFreshIdentifier) {
    const TimerId id = setTimer(0, 50, [](TimerId) {});
    killTimer(id);
    const TimerId fresh = setTimer(id, 50, [](TimerId) {});
    EXPECT_NE(fresh, 0u);
    EXPECT_NE(fresh, id);
}

TEST_F(TimerTest, RefusesATimerWithoutProcedure) {
    EXPECT_EQ(setTimer(0, 10, TimerProc{nullptr}), 0u);
    EXPECT_EQ(setTimer(0, 10, std::function<void(TimerId)>{}), 0u);
    EXPECT_FALSE(killTimer(0));
}

TEST_F(TimerTest, AProcedureMayKillItsOwnTimer) {
    int ticks = 0;
    setTimer(0, 5, [&](TimerId id) {
        ++ticks;
        EXPECT_TRUE(killTimer(id));
    });
    ASSERT_TRUE(runUntil([&] { return ticks > 0; }, kPatience));
    runUntil([] { return false; }, 30ms);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerTest, AProcedureMayKillATimerDueInTheSameDispatch) {
    TimerId second = 0;
    int secondTicks = 0;
    setTimer(0, 5, [&](TimerId id) {
        killTimer(id);
        killTimer(second);
    });
    second = setTimer(0, 5, [&](TimerId) { ++secondTicks; });
    std::this_thread::sleep_for(15ms);  // both are due now
    EXPECT_EQ(dispatch(0ms), 1);
    runUntil([] { return false; }, 20ms);
    EXPECT_EQ(secondTicks, 0);
}

TEST_F(TimerTest, ATimerStartedByAProcedureWaitsForItsOwnInterval) {
    int started = 0;
    setTimer(0, 5, [&](TimerId id) {
        killTimer(id);
        setTimer(0, 5, [&](TimerId inner) {
            ++started;
            killTimer(inner);
        });
    });
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(dispatch(0ms), 1);
    EXPECT_EQ(started, 0);
    ASSERT_TRUE(runUntil([&] { return started == 1; }, kPatience));
}

TEST_F(TimerTest, ASlowProcedureGetsOneLateTickNotTheMissedOnes) {
    int ticks = 0;
    const TimerId id = setTimer(0, 20, [&](TimerId) {
        if (++ticks == 1) std::this_thread::sleep_for(120ms);
    });
    ASSERT_TRUE(runUntil([&] { return ticks == 1; }, kPatience));
    EXPECT_EQ(dispatch(0ms), 1) << "the tick that fell due while the procedure ran";
    EXPECT_EQ(dispatch(0ms), 0) << "no queue of the five ticks it missed";
    killTimer(id);
}

// The interface library's wait: one shared identifier, restarted for every
// wait, and timer procedures that stop it and set it to 0.
struct SharedTimer {
    TimerId id = 0;
    int timeouts = 0;
    int uploads = 0;
    void* window = reinterpret_cast<void*>(1);
    unsigned message = 0;
    TimerId procedureId = 0;
};

SharedTimer& sharedTimer() {
    static SharedTimer state;
    return state;
}

void timeoutProc(void* window, unsigned message, TimerId id, std::uint32_t /*time*/) {
    SharedTimer& shared = sharedTimer();
    shared.window = window;
    shared.message = message;
    shared.procedureId = id;
    ++shared.timeouts;
    killTimer(shared.id);
    shared.id = 0;
}

void uploadProc(void*, unsigned, TimerId, std::uint32_t) {
    SharedTimer& shared = sharedTimer();
    ++shared.uploads;
    killTimer(shared.id);
    shared.id = 0;
}

TEST_F(TimerTest, SharedTimerStopsAndZeroesItselfWithThreadTimerArguments) {
    SharedTimer& shared = sharedTimer();
    shared = SharedTimer{};
    shared.id = setTimer(shared.id, 500, uploadProc);
    const TimerId first = shared.id;
    ASSERT_NE(first, 0u);
    shared.id = setTimer(shared.id, 5, timeoutProc);
    EXPECT_EQ(shared.id, first) << "a restart keeps the one identifier";

    ASSERT_TRUE(runUntil([&] { return shared.id == 0; }, kPatience));
    EXPECT_EQ(shared.timeouts, 1);
    EXPECT_EQ(shared.uploads, 0);
    EXPECT_EQ(shared.window, nullptr);
    EXPECT_EQ(shared.message, kTimerMessage);
    EXPECT_EQ(shared.procedureId, first);

    shared.id = setTimer(shared.id, 5, uploadProc);
    EXPECT_NE(shared.id, 0u);
    ASSERT_TRUE(runUntil([&] { return shared.id == 0; }, kPatience));
    EXPECT_EQ(shared.uploads, 1);
    runUntil([] { return false; }, 20ms);
    EXPECT_EQ(shared.timeouts + shared.uploads, 2) << "a stopped timer stays stopped";
}

TEST_F(TimerTest, AProcedureThatThrowsLeavesItsTimerRunning) {
    int ticks = 0;
    const TimerId id = setTimer(0, 5, [&](TimerId) {
        if (++ticks == 1) throw std::runtime_error("handler failed");
    });
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(kbx_platform_dispatch(0), -1);
    ASSERT_TRUE(runUntil([&] { return ticks == 2; }, kPatience));
    killTimer(id);
}

TEST_F(TimerTest, TimersBelongToTheThreadThatStartedThem) {
    const int mine = loopDescriptor();
    int otherThreadTicks = 0;
    int otherDescriptor = -1;
    std::thread other([&] {
        otherDescriptor = loopDescriptor();
        setTimer(0, 5, [&](TimerId id) {
            ++otherThreadTicks;
            killTimer(id);
        });
        runUntil([&] { return otherThreadTicks > 0; }, kPatience);
    });
    other.join();
    EXPECT_EQ(otherThreadTicks, 1);
    EXPECT_NE(otherDescriptor, -1);
    EXPECT_NE(otherDescriptor, mine);
    EXPECT_EQ(dispatch(0ms), 0);
}

}  // namespace
}  // namespace kbx::platform::testing
