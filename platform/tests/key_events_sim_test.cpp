#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <initializer_list>
#include <vector>

#include "platform/event_loop.h"
#include "platform/key_events.h"
#include "tests/support/key_events_test_server.h"

namespace kbx::platform::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kSwallowedKey = channel::keyData(0x62, false);
constexpr std::uint32_t kOrdinaryKey = channel::keyData(0x1E, false);
constexpr std::uint32_t kOrdinaryKeyUp = channel::keyData(0x1E, true);
constexpr std::chrono::milliseconds kPatience = 2000ms;

class KeyEventSources : public ::testing::Test {
protected:
    void SetUp() override {
        clearVariables();
        resetLoopForTests();
    }
    void TearDown() override {
        clearVariables();
        resetLoopForTests();
    }
    static void clearVariables() {
        ::unsetenv(kKeyEventsVariable);
        for (const char* name : kSimulatedKeyboardVariables) ::unsetenv(name);
    }

    // Opens the configured source with a handler that records every key and
    // swallows the marker code only.
    OpenedKeyEventSource open() {
        return openKeyEventSource([this](std::uint32_t key) {
            seen_.push_back(key);
            return key == kSwallowedKey;
        });
    }
    void dispatchUntilSeen(std::size_t count) {
        runUntil([&] { return seen_.size() >= count; }, kPatience);
    }

    std::vector<std::uint32_t> seen_;
};

TEST_F(KeyEventSources, WithNothingConfiguredThereIsNoSourceAndNoFailure) {
    OpenedKeyEventSource opened = open();
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_FALSE(opened.failed);
}

TEST_F(KeyEventSources, AnUnknownKindOfSourceIsAFailure) {
    ::setenv(kKeyEventsVariable, "serial:/dev/ttyS0", 1);
    OpenedKeyEventSource opened = open();
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_TRUE(opened.failed);
    EXPECT_NE(opened.error.find("serial:/dev/ttyS0"), std::string::npos);
}

TEST_F(KeyEventSources, ASimulatedKeyboardThatIsNotRunningIsAFailure) {
    kbxtest::TempDir folder;
    ::setenv(kKeyEventsVariable, ("sim:" + (folder / "missing.sock").string()).c_str(), 1);
    OpenedKeyEventSource opened = open();
    EXPECT_TRUE(opened.failed);
    EXPECT_EQ(opened.source, nullptr);
}

TEST_F(KeyEventSources, AMissingInputDeviceIsAFailure) {
    ::setenv(kKeyEventsVariable, "evdev:/dev/input/no-such-device", 1);
    OpenedKeyEventSource opened = open();
    EXPECT_TRUE(opened.failed);
    EXPECT_NE(opened.error.find("/dev/input/no-such-device"), std::string::npos);
}

TEST_F(KeyEventSources, ARefusedSubscriptionIsAFailure) {
    KeyEventServer keyboard(1);
    ::setenv(kKeyEventsVariable, keyboard.variableValue().c_str(), 1);
    EXPECT_TRUE(open().failed);
}

TEST_F(KeyEventSources, KeysOfTheSimulatedKeyboardReachTheHandlerAndTheRestIsPassedOn) {
    KeyEventServer keyboard;
    ::setenv(kKeyEventsVariable, keyboard.variableValue().c_str(), 1);
    OpenedKeyEventSource opened = open();
    ASSERT_NE(opened.source, nullptr) << opened.error;
    EXPECT_TRUE(keyboard.subscribed());
    for (std::uint32_t key : {kOrdinaryKey, kSwallowedKey, kOrdinaryKeyUp}) keyboard.type(key);
    dispatchUntilSeen(3);
    EXPECT_EQ(seen_, (std::vector<std::uint32_t>{kOrdinaryKey, kSwallowedKey, kOrdinaryKeyUp}));
    EXPECT_EQ(keyboard.passedOn(), (std::vector<std::uint32_t>{kOrdinaryKey, kOrdinaryKeyUp}));
    EXPECT_EQ(opened.source->modifiers().shift, false);
}

TEST_F(KeyEventSources, TheKeyboardChannelsSimulatedKeyboardServesWhenNoSourceIsNamed) {
    for (const char* variable : kSimulatedKeyboardVariables) {
        clearVariables();
        KeyEventServer keyboard;
        ::setenv(variable, keyboard.variableValue().c_str(), 1);
        OpenedKeyEventSource opened = open();
        ASSERT_NE(opened.source, nullptr) << variable << ": " << opened.error;
        EXPECT_TRUE(keyboard.subscribed()) << variable;
    }
}

TEST_F(KeyEventSources, AClosedSourceNoLongerReadsItsConnection) {
    KeyEventServer keyboard;
    ::setenv(kKeyEventsVariable, keyboard.variableValue().c_str(), 1);
    OpenedKeyEventSource opened = open();
    ASSERT_NE(opened.source, nullptr);
    opened.source.reset();
    keyboard.type(kOrdinaryKey);
    EXPECT_EQ(dispatch(50ms), 0);
    EXPECT_TRUE(seen_.empty());
}

TEST_F(KeyEventSources, AKeyboardThatHangsUpIsNoLongerWatched) {
    KeyEventServer keyboard;
    ::setenv(kKeyEventsVariable, keyboard.variableValue().c_str(), 1);
    OpenedKeyEventSource opened = open();
    ASSERT_NE(opened.source, nullptr);
    keyboard.type(kOrdinaryKey);
    keyboard.hangUp();
    dispatchUntilSeen(1);
    EXPECT_EQ(seen_.size(), 1u);
    // The hung-up connection would be readable for ever if it were still watched.
    dispatch(0ms);
    EXPECT_EQ(dispatch(50ms), 0);
}

}  // namespace
}  // namespace kbx::platform::testing
