#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "loop_test_support.h"

namespace kbx::platform::testing {
namespace {

using EventTest = LoopTest;
using WatchTest = LoopTest;
using NestedLoopTest = LoopTest;
using LoopDescriptorTest = LoopTest;

TEST_F(EventTest, EventsRunInPostingOrderAtTheNextDispatch) {
    std::string order;
    postEvent([&] { order += 'a'; });
    postEvent([&] { order += 'b'; });
    postEvent([&] { order += 'c'; });
    EXPECT_EQ(order, "");
    EXPECT_EQ(kbx_platform_dispatch(0), 3);
    EXPECT_EQ(order, "abc");
    EXPECT_EQ(kbx_platform_dispatch(0), 0);
}

TEST_F(EventTest, AnEventPostedByAHandlerRunsAtTheFollowingDispatch) {
    int generations = 0;
    std::function<void()> repost = [&] {
        if (++generations < 3) postEvent(repost);
    };
    postEvent(repost);
    EXPECT_EQ(dispatch(0ms), 1);
    EXPECT_EQ(dispatch(0ms), 1);
    EXPECT_EQ(dispatch(0ms), 1);
    EXPECT_EQ(generations, 3);
    EXPECT_EQ(dispatch(0ms), 0);
}

TEST_F(EventTest, AnEmptyEventIsIgnored) {
    postEvent({});
    EXPECT_EQ(dispatch(0ms), 0);
    EXPECT_FALSE(loopIsReadable(0));
}

TEST_F(EventTest, DispatchWithoutAnythingDueWaitsNoLongerThanItsTimeout) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(kbx_platform_dispatch(20), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 20ms);
}

TEST_F(EventTest, AThrowingHandlerEndsTheDispatchAndTheRestRunsNext) {
    std::string order;
    postEvent([] { throw std::runtime_error("handler failed"); });
    postEvent([&] { order += 'b'; });
    EXPECT_EQ(kbx_platform_dispatch(0), -1);
    EXPECT_EQ(order, "");
    EXPECT_EQ(kbx_platform_dispatch(0), 1);
    EXPECT_EQ(order, "b");
}

TEST_F(EventTest, DispatchCountsEveryKindOfHandler) {
    Pipe pipe;
    const WatchId watch = watchDescriptor(pipe.readEnd.get(), [&] { pipe.take(); });
    const TimerId timer = setTimer(0, 5, [](TimerId id) { killTimer(id); });
    postEvent([] {});
    pipe.put();
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(kbx_platform_dispatch(0), 3);
    EXPECT_EQ(kbx_platform_dispatch(0), 0);
    unwatchDescriptor(watch);
    EXPECT_FALSE(killTimer(timer));
}

TEST_F(WatchTest, AWatchRunsWhenItsPipeHasData) {
    Pipe pipe;
    std::string received;
    const WatchId id = watchDescriptor(pipe.readEnd.get(), [&] { received += pipe.take(); });
    ASSERT_NE(id, 0u);
    EXPECT_EQ(dispatch(0ms), 0);
    pipe.put('k');
    ASSERT_TRUE(runUntil([&] { return received == "k"; }, kPatience));
    EXPECT_EQ(dispatch(0ms), 0) << "read empty, the watch stays quiet";

    unwatchDescriptor(id);
    pipe.put('b');
    EXPECT_EQ(dispatch(0ms), 0);
    EXPECT_EQ(received, "k");
}

TEST_F(WatchTest, AClosedWriterWakesTheWatch) {
    Pipe pipe;
    int calls = 0;
    WatchId id = 0;
    id = watchDescriptor(pipe.readEnd.get(), [&] {
        ++calls;
        unwatchDescriptor(id);
    });
    pipe.writeEnd.reset();
    ASSERT_TRUE(runUntil([&] { return calls == 1; }, kPatience));
    EXPECT_EQ(dispatch(0ms), 0) << "the handler removed its own watch";
}

TEST_F(WatchTest, TwoWatchesOfOneDescriptorBothRunAndLeaveIndependently) {
    Pipe pipe;
    int first = 0;
    int second = 0;
    const WatchId a = watchDescriptor(pipe.readEnd.get(), [&] { ++first; });
    const WatchId b = watchDescriptor(pipe.readEnd.get(), [&] { ++second; });
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    pipe.put();
    EXPECT_EQ(dispatch(0ms), 2);
    unwatchDescriptor(a);
    EXPECT_EQ(dispatch(0ms), 1) << "the byte is still there for the other watch";
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    unwatchDescriptor(b);
}

TEST_F(WatchTest, AHandlerThatReadsFirstLeavesNothingForTheOtherWatch) {
    Pipe pipe;
    int emptyCalls = 0;
    watchDescriptor(pipe.readEnd.get(), [&] { pipe.take(); });
    watchDescriptor(pipe.readEnd.get(), [&] { ++emptyCalls; });
    pipe.put();
    EXPECT_EQ(dispatch(0ms), 1);
    EXPECT_EQ(emptyCalls, 0);
}

TEST_F(WatchTest, AHandlerMayRemoveAWatchDueInTheSameDispatch) {
    Pipe first;
    Pipe second;
    WatchId firstWatch = 0;
    WatchId secondWatch = 0;
    int calls = 0;
    // Whichever runs first removes the other, ready as it is.
    firstWatch = watchDescriptor(first.readEnd.get(), [&] {
        ++calls;
        unwatchDescriptor(secondWatch);
        unwatchDescriptor(firstWatch);
    });
    secondWatch = watchDescriptor(second.readEnd.get(), [&] {
        ++calls;
        unwatchDescriptor(firstWatch);
        unwatchDescriptor(secondWatch);
    });
    first.put();
    second.put();
    ASSERT_TRUE(loopIsReadable(1000));
    EXPECT_EQ(dispatch(0ms), 1);
    EXPECT_EQ(dispatch(0ms), 0);
    EXPECT_EQ(calls, 1);
}

TEST_F(WatchTest, RefusesDescriptorsItCannotWatch) {
    EXPECT_EQ(watchDescriptor(-1, [] {}), 0u);
    EXPECT_EQ(watchDescriptor(loopDescriptor(), [] {}), 0u);
    Pipe pipe;
    const int closed = pipe.readEnd.get();
    pipe.readEnd.reset();
    EXPECT_EQ(watchDescriptor(closed, [] {}), 0u);
    EXPECT_EQ(watchDescriptor(pipe.writeEnd.get(), std::function<void()>{}), 0u);
    unwatchDescriptor(0);
    unwatchDescriptor(12345);
}

TEST_F(NestedLoopTest, RunUntilGivesUpAtItsLimit) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(runUntil([] { return false; }, 30ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
    EXPECT_FALSE(runUntil([] { return false; }, 0ms));
}

TEST_F(NestedLoopTest, RunUntilReturnsAtOnceWhenTheConditionHolds) {
    int ran = 0;
    postEvent([&] { ++ran; });
    EXPECT_TRUE(runUntil([] { return true; }, 0ms));
    EXPECT_EQ(ran, 0);
    EXPECT_TRUE(runUntil([&] { return ran == 1; }, 0ms)) << "a zero limit still dispatches once";
}

TEST_F(NestedLoopTest, AHandlersNestedLoopRunsTheOtherHandlers) {
    std::vector<std::string> steps;
    bool innerDone = false;
    bool outerDone = false;
    int depth = 0;
    int deepest = 0;
    setTimer(0, 5, [&](TimerId id) {
        deepest = std::max(deepest, ++depth);
        steps.push_back("outer starts");
        setTimer(0, 20, [&](TimerId inner) {
            killTimer(inner);
            steps.push_back("inner fires");
            postEvent([&] { innerDone = true; });
        });
        // The 5 ms timer falls due several times meanwhile; it is not
        // entered again while its procedure waits.
        EXPECT_TRUE(runUntil([&] { return innerDone; }, kPatience));
        steps.push_back("outer ends");
        killTimer(id);
        outerDone = true;
        --depth;
    });
    ASSERT_TRUE(runUntil([&] { return outerDone; }, kPatience));
    EXPECT_EQ(steps, (std::vector<std::string>{"outer starts", "inner fires", "outer ends"}));
    EXPECT_EQ(deepest, 1);
}

TEST_F(NestedLoopTest, NestedLoopsInsideNestedLoops) {
    std::string order;
    postEvent([&] {
        order += '1';
        postEvent([&] {
            order += '2';
            postEvent([&] { order += '3'; });
            runUntil([&] { return order.size() == 3; }, kPatience);
            order += 'b';
        });
        runUntil([&] { return order.size() == 4; }, kPatience);
        order += 'a';
    });
    ASSERT_TRUE(runUntil([&] { return order.size() == 5; }, kPatience));
    EXPECT_EQ(order, "123ba");
}

TEST_F(NestedLoopTest, AWatchIsNotEnteredAgainWhileItsHandlerWaits) {
    Pipe pipe;
    int depth = 0;
    int deepest = 0;
    bool released = false;
    watchDescriptor(pipe.readEnd.get(), [&] {
        deepest = std::max(deepest, ++depth);
        if (!released) {
            setTimer(0, 20, [&](TimerId id) {
                killTimer(id);
                released = true;
            });
            // The byte is still unread: the nested loop must neither call
            // this handler again nor spin on the ready descriptor.
            int dispatches = 0;
            runUntil(
                [&] {
                    ++dispatches;
                    return released;
                },
                kPatience);
            EXPECT_LT(dispatches, 10);
            pipe.take();
        }
        --depth;
    });
    pipe.put();
    ASSERT_TRUE(runUntil([&] { return released; }, kPatience));
    EXPECT_EQ(deepest, 1);
    pipe.put();
    EXPECT_TRUE(loopIsReadable(1000)) << "the descriptor is watched again afterwards";
    EXPECT_EQ(dispatch(0ms), 1);
}

TEST_F(LoopDescriptorTest, BecomesReadableForADueTimer) {
    int ticks = 0;
    const TimerId id = setTimer(0, 10, [&](TimerId) { ++ticks; });
    EXPECT_FALSE(loopIsReadable(0));
    EXPECT_TRUE(loopIsReadable(1000));
    EXPECT_EQ(kbx_platform_dispatch(0), 1);
    killTimer(id);
    EXPECT_FALSE(loopIsReadable(50)) << "nothing left to be due";
    EXPECT_EQ(ticks, 1);
}

TEST_F(LoopDescriptorTest, ARestartedTimerMovesTheWakeUp) {
    const TimerId id = setTimer(0, 10, [](TimerId) {});
    setTimer(id, 60000, [](TimerId) {});
    EXPECT_FALSE(loopIsReadable(50));
}

TEST_F(LoopDescriptorTest, BecomesReadableForAPostedEventUntilItRan) {
    EXPECT_FALSE(loopIsReadable(0));
    postEvent([] {});
    EXPECT_TRUE(loopIsReadable(0));
    EXPECT_TRUE(loopIsReadable(1000));
    EXPECT_EQ(kbx_platform_dispatch(0), 1);
    EXPECT_FALSE(loopIsReadable(0));
}

TEST_F(LoopDescriptorTest, BecomesReadableForAWatchedPipe) {
    Pipe pipe;
    watchDescriptor(pipe.readEnd.get(), [&] { pipe.take(); });
    EXPECT_FALSE(loopIsReadable(0));
    std::thread writer([&] {
        std::this_thread::sleep_for(10ms);
        pipe.put();
    });
    EXPECT_TRUE(loopIsReadable(1000));
    writer.join();
    EXPECT_EQ(kbx_platform_dispatch(0), 1);
    EXPECT_FALSE(loopIsReadable(0));
}

TEST_F(LoopDescriptorTest, ADispatchWaitingWithoutLimitWakesForATimer) {
    bool fired = false;
    setTimer(0, 10, [&](TimerId id) {
        killTimer(id);
        fired = true;
    });
    EXPECT_EQ(kbx_platform_dispatch(-1), 1);
    EXPECT_TRUE(fired);
}

TEST_F(LoopDescriptorTest, ResetDropsEverythingAndKeepsTheDescriptor) {
    const int descriptor = kbx_platform_fd();
    ASSERT_GE(descriptor, 0);
    Pipe pipe;
    int runs = 0;
    setTimer(0, 5, [&](TimerId) { ++runs; });
    postEvent([&] { ++runs; });
    watchDescriptor(pipe.readEnd.get(), [&] { ++runs; });
    pipe.put();
    std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(loopIsReadable(0));

    resetLoopForTests();
    EXPECT_EQ(kbx_platform_fd(), descriptor);
    EXPECT_FALSE(loopIsReadable(0));
    EXPECT_EQ(kbx_platform_dispatch(20), 0);
    EXPECT_EQ(runs, 0);
}

TEST_F(LoopDescriptorTest, ResetFromInsideAHandlerStopsTheRestOfTheDispatch) {
    int later = 0;
    postEvent([] { resetLoopForTests(); });
    postEvent([&] { ++later; });
    EXPECT_EQ(dispatch(0ms), 1);
    EXPECT_EQ(later, 0);
    EXPECT_FALSE(loopIsReadable(0));
}

}  // namespace
}  // namespace kbx::platform::testing
