#include <chrono>

#include "posfunc/input/capture.h"
#include "posfunc/tests/hook_test_support.h"

namespace kbxfunc::testing {
namespace {

using namespace std::chrono_literals;

// Longer than any time-out these tests use; tests that pass do not wait it.
constexpr std::chrono::milliseconds kPatience = 3000ms;

class Capturing : public OpenedLibrary {
protected:
    static std::vector<unsigned char> captured(std::size_t count) {
        const unsigned char* buffer = captureBuffer(input());
        return {buffer, buffer + count};
    }
    // Runs the loop until a callback has been called; the milliseconds it took.
    static std::uint32_t millisecondsUntilACallback() {
        const std::uint32_t start = kbx::platform::tickCount();
        kbx::platform::runUntil([] { return !calls().empty(); }, kPatience);
        return kbx::platform::tickCount() - start;
    }
};

TEST_F(Capturing, FiveKeysCompleteACaptureOfFiveOnce) {
    ASSERT_EQ(armCapture(input(), 5, 1, 0), 0);
    for (std::uint8_t code : {kKey1, kKey2, kKey3, kKeyA}) EXPECT_EQ(press(code), 2);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(feed({down(kKey1)}), 1);
    EXPECT_EQ(calls(), std::vector<std::string>{"0:5"});
    EXPECT_EQ(feed({up(kKey1)}), 0);  // the release comes after the capture
    EXPECT_EQ(captured(5), (std::vector<unsigned char>{kKey1, kKey2, kKey3, kKeyA, kKey1}));
    // Disarmed: keys pass again and nothing more is stored.
    EXPECT_EQ(press(kKey2), 0);
    EXPECT_EQ(captured(6)[5], 0);
}

TEST_F(Capturing, MarkersAreCapturedAsRawCodesAndOpenNoFrame) {
    ASSERT_EQ(armCapture(input(), 3, 1, 0), 0);
    press(kTrack1Marker);
    press(kKey1);
    press(kTrack1Marker);
    EXPECT_EQ(calls(), std::vector<std::string>{"0:3"});
    EXPECT_EQ(captured(3), (std::vector<unsigned char>{kTrack1Marker, kKey1, kTrack1Marker}));
    EXPECT_EQ(input().frame.module, kNoModule);
}

TEST_F(Capturing, OnlyPlainKeyDownsAreStoredButEveryEventIsSwallowed) {
    ASSERT_EQ(armCapture(input(), 2, 1, 0), 0);
    EXPECT_EQ(feed({up(kKey1), keyData(kKey2, false, true), down(kKey3) | (1u << 29)}), 3);
    EXPECT_EQ(captured(1), std::vector<unsigned char>{kKey3});
    EXPECT_TRUE(calls().empty());
}

TEST_F(Capturing, ArmingEmptiesTheBufferOfAnEarlierCapture) {
    ASSERT_EQ(armCapture(input(), 2, 1, 0), 0);
    press(kKey1);
    press(kKey2);
    ASSERT_EQ(armCapture(input(), 1, 1, 0), 0);
    EXPECT_EQ(captured(2), (std::vector<unsigned char>{0, 0}));
}

TEST_F(Capturing, MoreThan512CodesAreDroppedAndSwallowed) {
    ASSERT_EQ(armCapture(input(), 600, 1, 0), 0);
    for (int i = 0; i < 700; ++i) ASSERT_EQ(feed({down(std::uint8_t(1 + i % 0x50))}), 1);
    EXPECT_EQ(input().capture.count, kBufferSize);
    EXPECT_EQ(captured(kBufferSize).back(), std::uint8_t(1 + 511 % 0x50));
    EXPECT_TRUE(calls().empty());
}

TEST_F(Capturing, ACaptureInsideAnOpenFrameLeavesTheFramesText) {
    press(kTrack1Marker);
    press(kKey1);
    ASSERT_EQ(armCapture(input(), 1, 1, 0), 0);
    press(kKey2);
    press(kKey3);
    press(kTrack1Marker);
    EXPECT_EQ(calls(), (std::vector<std::string>{"0:1", "1:2"}));
    EXPECT_EQ(text(Module::track1), "13");
}

TEST_F(Capturing, WithoutAKeyTheTimeOutCallsBackWithZeroAfterTenTimesItsValue) {
    ASSERT_EQ(armCapture(input(), 5, 1, 50), 0);
    const std::uint32_t elapsed = millisecondsUntilACallback();
    EXPECT_EQ(calls(), std::vector<std::string>{"0:0"});
    EXPECT_GE(elapsed, 500u);
    EXPECT_FALSE(input().capture.armed);
    EXPECT_EQ(input().capture.timer, 0u);
    EXPECT_EQ(press(kKey1), 0);
}

TEST_F(Capturing, AKeyRestartsTheWaitWithTheTimeOutInMilliseconds) {
    ASSERT_EQ(armCapture(input(), 5, 1, 50), 0);
    press(kKey1);
    const std::uint32_t elapsed = millisecondsUntilACallback();
    EXPECT_EQ(calls(), std::vector<std::string>{"0:0"});
    EXPECT_GE(elapsed, 50u);
    EXPECT_LT(elapsed, 450u);
}

TEST_F(Capturing, ACompletedCaptureGetsNoTimeOutCallback) {
    ASSERT_EQ(armCapture(input(), 1, 1, 3), 0);
    press(kKey1);
    kbx::platform::runUntil([] { return false; }, 150ms);
    EXPECT_EQ(calls(), std::vector<std::string>{"0:1"});
}

TEST_F(Capturing, ArmingAgainWithoutTimeOutStopsTheEarlierTimer) {
    ASSERT_EQ(armCapture(input(), 1, 1, 3), 0);
    ASSERT_EQ(armCapture(input(), 1, 1, 0), 0);
    kbx::platform::runUntil([] { return false; }, 150ms);
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(input().capture.armed);
}

TEST_F(Capturing, ClosingTheLibraryStopsTheCaptureTimer) {
    ASSERT_EQ(armCapture(input(), 1, 1, 3), 0);
    ASSERT_EQ(closeLibrary(state()), 0);
    kbx::platform::runUntil([] { return false; }, 150ms);
    EXPECT_TRUE(calls().empty());
}

// While the library is not open no capture callback can be stored; a
// capture armed then still ends at its time-out, without a call through the
// empty callback, disarmed and with its timer gone, so that a later capture
// starts clean.
class CapturingWhileClosed : public ClosedLibrary {};

TEST_F(CapturingWhileClosed, TimeOutWithoutACallbackDisarmsAndStopsTheTimer) {
    ASSERT_EQ(setCaptureCallback(input(), kCaptureRecorder), 1);
    ASSERT_EQ(input().captureCallback, nullptr);
    ASSERT_EQ(armCapture(input(), 6, 1, 3), 0);
    ASSERT_NE(input().capture.timer, 0u);
    EXPECT_TRUE(kbx::platform::runUntil([] { return !input().capture.armed; }, kPatience));
    EXPECT_EQ(input().capture.timer, 0u);
    EXPECT_TRUE(calls().empty());
    // The timer's procedure coming once more (a late expiry) changes nothing.
    captureTimerProc(nullptr, 0, 0, 0);
    EXPECT_FALSE(input().capture.armed);
    EXPECT_TRUE(calls().empty());
}

}  // namespace
}  // namespace kbxfunc::testing
