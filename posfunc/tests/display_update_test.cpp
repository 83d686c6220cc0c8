// The update pass: what reaches the display, in which blocks, and when.

#include <gtest/gtest.h>

#include "posfunc/display/key_delay.h"
#include "posfunc/input/hook.h"
#include "posfunc/tests/display_recording.h"

namespace kbxfunc::test {
namespace {

std::vector<int> completions;

int KBX_CALL recordCompletion(int complete) {
    completions.push_back(complete);
    return 0;
}

class DisplayUpdate : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        completions.clear();
        state().input.open = true;
        ASSERT_EQ(setDisplayComplete(state(), &recordCompletion), 0);
    }
    static void pass() { runUpdatePass(state()); }
};

TEST(DisplayOpening, ClearsTheDisplayAndStartsTheUpdateTimer) {
    installRecordingKbxi(false);
    EXPECT_EQ(openDisplay(state()), 0);
    EXPECT_EQ(recording().sent, bytesOf({0xEC, 0x01, 0x00}));
    EXPECT_TRUE(state().display.open);
    EXPECT_NE(state().display.updateTimer, 0u);
    resetStateForTests();
}

TEST(DisplayOpening, AFailedByteLeavesTheDisplayClosed) {
    installRecordingKbxi(false);
    recording().sendResult = failFrom(1);
    EXPECT_EQ(openDisplay(state()), 1);
    EXPECT_FALSE(state().display.open);
    EXPECT_EQ(state().display.updateTimer, 0u);
    char text[] = "A";
    EXPECT_EQ(displayText(state(), text, 1, 1), 1);
    EXPECT_EQ(closeDisplay(state()), 1);
    resetStateForTests();
}

TEST_F(DisplayUpdate, HelloIsSentAtTheCurrentPositionAndCompletes) {
    ASSERT_EQ(write("HELLO", 1, 1), 0);
    EXPECT_TRUE(sent().empty()) << "text waits for the update timer";
    ASSERT_TRUE(runUntil([] { return !completions.empty(); }));
    EXPECT_EQ(sent(), bytesOf({0xEC, 'H', 'E', 'L', 'L', 'O', 0x00}));
    EXPECT_EQ(completions, std::vector<int>{1});
    EXPECT_EQ(state().display.cursorRegister, 5);
}

TEST_F(DisplayUpdate, TextOnTheSecondRowIsPositionedFirst) {
    write("AB", 2, 3);
    pass();
    EXPECT_EQ(sent(), bytesOf({0xEC, 0xC9, 0x42, 'A', 'B', 0x00}));
    EXPECT_EQ(state().display.cursorRegister, 64 + 4);
}

TEST_F(DisplayUpdate, RowStartsUseTheHomeCodes) {
    write("X", 1, 3);
    pass();
    write("Y", 1, 1);
    write("Z", 2, 1);
    pass();
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 0xC9, 0x82, 'X', 0x00}),
                                               bytesOf({0xEC, 0xC0, 'Y', 0x00}),
                                               bytesOf({0xEC, 0xC1, 'Z', 0x00})}));
}

TEST_F(DisplayUpdate, TenChangedCharactersGoAsBlocksOfSevenAndThree) {
    write("ABCDEFGHIJ", 1, 1);
    pass();
    EXPECT_TRUE(completions.empty()) << "three characters are still missing";
    pass();
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 0x00}),
                                               bytesOf({0xEC, 'H', 'I', 'J', 0x00})}));
    EXPECT_EQ(completions, std::vector<int>{1});
}

TEST_F(DisplayUpdate, ALoneChangeAtTheEndOfABlockWaitsForTheNextPass) {
    write("XXXX  Y", 1, 1);
    pass();
    pass();
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 'X', 'X', 'X', 'X', 0x00}),
                                               bytesOf({0xEC, 0xC9, 0x86, 'Y', 0x00})}));
}

TEST_F(DisplayUpdate, UnchangedCharactersBetweenChangesAreSentWithThem) {
    write("XX   YY", 1, 1);
    pass();
    EXPECT_EQ(sent(), bytesOf({0xEC, 'X', 'X', ' ', ' ', ' ', 'Y', 'Y', 0x00}));
}

TEST_F(DisplayUpdate, EachRowSendsOneBlockPerPass) {
    write("A", 1, 1);
    write("B", 2, 1);
    write("C", 1, 24);
    pass();
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 'A', 0x00}), bytesOf({0xEC, 0xC1, 'B', 0x00})}));
    EXPECT_TRUE(completions.empty());
}

TEST_F(DisplayUpdate, ANothingToSendPassCallsNoCallback) {
    pass();
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(completions.empty());
}

TEST_F(DisplayUpdate, AFailedCharacterIsRepositionedAndSentAgain) {
    write("ABCD", 1, 1);
    recording().sendResult = [](std::size_t index, std::uint8_t) -> unsigned char { return index == 3 ? 1 : 0; };
    pass();
    EXPECT_EQ(state().display.cursorRegister, kCursorUnknown);
    EXPECT_TRUE(completions.empty());
    pass();
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 'A', 'B', 'C', 0x00}),
                                               bytesOf({0xEC, 0xC9, 0x82, 'C', 'D', 0x00})}));
    EXPECT_EQ(completions, std::vector<int>{1});
}

TEST_F(DisplayUpdate, TheKeyDelayHoldsUpdatesBackWhileKeysArrive) {
    ASSERT_EQ(command("KEYDELAY", 80), 0);
    write("TYPED", 1, 1);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(250);
    while (std::chrono::steady_clock::now() < until) {
        restartKeyDelay(state());
        runFor(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(sent().empty());
    ASSERT_TRUE(runUntil([] { return !completions.empty(); }));
    EXPECT_EQ(sent(), bytesOf({0xEC, 'T', 'Y', 'P', 'E', 'D', 0x00}));
    EXPECT_EQ(state().display.keyDelayTimer, 0u);
}

TEST_F(DisplayUpdate, EveryKeyEventOfTheHookRestartsTheKeyDelay) {
    ASSERT_EQ(command("KEYDELAY", 5000), 0);
    constexpr std::uint32_t kKeyAUp = 0x1E0000u | 0x80000000u;
    hookProcedure(state(), 0, kKeyAUp);
    write("HELD", 1, 1);
    runFor(std::chrono::milliseconds(80));
    EXPECT_TRUE(sent().empty());
    endKeyDelay(state());  // as when the delay runs out
    ASSERT_TRUE(runUntil([] { return !completions.empty(); }));
}

TEST_F(DisplayUpdate, KeysDoNotStartTheDelayWhileTheDisplayIsClosed) {
    ASSERT_EQ(closeDisplay(state()), 0);
    restartKeyDelay(state());
    EXPECT_EQ(state().display.keyDelayTimer, 0u);
}

TEST_F(DisplayUpdate, ARefreshSendsEverythingAgainAndCompletesAgain) {
    write("HI", 1, 1);
    pass();
    recording().sent.clear();
    runRefresh(state());
    pass();
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 0xC0, 'H', 'I', ' ', ' ', ' ', ' ', ' ', 0x00}),
                                               bytesOf({0xEC, 0xC1, ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0x00})}));
    for (int i = 0; i < 3; ++i) pass();
    EXPECT_EQ(completions, (std::vector<int>{1, 1})) << "the refreshed display completes again";
}

TEST_F(DisplayUpdate, TheRefreshTimerRunsOnlyWithAnInterval) {
    ASSERT_EQ(command("REFRESH", 2), 0);
    EXPECT_EQ(state().display.refreshIntervalMs, 2000);
    EXPECT_NE(state().display.refreshTimer, 0u);
    runRefresh(state());
    EXPECT_NE(state().display.refreshTimer, 0u) << "restarted with the interval";
    ASSERT_EQ(command("REFRESH", 0), 0);
    EXPECT_EQ(state().display.refreshTimer, 0u);
}

TEST_F(DisplayUpdate, ClosingStopsEveryTimerAndEveryCall) {
    command("REFRESH", 1);
    restartKeyDelay(state());
    write("LATE", 1, 1);
    ASSERT_EQ(closeDisplay(state()), 0);
    EXPECT_EQ(state().display.updateTimer, 0u);
    EXPECT_EQ(state().display.keyDelayTimer, 0u);
    EXPECT_EQ(state().display.refreshTimer, 0u);
    runFor(std::chrono::milliseconds(60));
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(write("X", 1, 1), 1);
    EXPECT_EQ(command("CLEAR"), 1);
    EXPECT_EQ(closeDisplay(state()), 1);
}

TEST_F(DisplayUpdate, ACallbackThatClosesTheDisplayEndsTheUpdates) {
    static bool closed;
    closed = false;
    setDisplayComplete(state(), [](int) KBX_CALL -> int {
        closed = closeDisplay(state()) == 0;
        return 0;
    });
    write("Q", 1, 1);
    pass();
    EXPECT_TRUE(closed);
    EXPECT_EQ(state().display.updateTimer, 0u);
}

TEST_F(DisplayUpdate, TheCompletionCallbackNeedsTheLibraryOpen) {
    state().input.open = false;
    EXPECT_EQ(setDisplayComplete(state(), &recordCompletion), 1);
}

}  // namespace
}  // namespace kbxfunc::test
