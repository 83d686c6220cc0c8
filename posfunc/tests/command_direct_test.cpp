// Bytes straight to the keyboard: the driver path, the controller's ports,
// and strings of them.

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "platform/keyboard_channel.h"
#include "tests/support/recording_notifier.h"
#include "posfunc/commands/byte_transport.h"
#include "posfunc/commands/controller_port.h"
#include "posfunc/commands/direct_byte.h"
#include "posfunc/tests/command_recording.h"

namespace kbxfunc::test {
namespace {

using Calls = std::vector<std::string>;

class DriverByte : public RecordingTest {
protected:
    void SetUp() override { installRecordingKbxi(true); }
};

TEST_F(DriverByte, AnAcknowledgedByteSucceedsInABracketOfItsOwn) {
    recording().answers = {0xFA};
    EXPECT_EQ(sendDirectByte(state(), 0x41), 0);
    EXPECT_EQ(calls(), (Calls{"capture", "vdd_sendbyte 41", "EF_get", "clr", "clr", "release"}));
    EXPECT_FALSE(state().commands.bracketOpen);
}

TEST_F(DriverByte, AResendRequestFails) {
    recording().answers = {0xFE};
    EXPECT_EQ(sendDirectByte(state(), 0x41), 1);
    EXPECT_EQ(calls(), (Calls{"capture", "vdd_sendbyte 41", "EF_get", "clr", "clr", "release"}));
}

TEST_F(DriverByte, AnyOtherAnswerFailsWithoutClearing) {
    recording().answers = {0xEE};
    EXPECT_EQ(sendDirectByte(state(), 0x41), 1);
    EXPECT_EQ(calls(), (Calls{"capture", "vdd_sendbyte 41", "EF_get", "clr", "release"}));
}

TEST_F(DriverByte, NoAnswerFailsAfterAllPolls) {
    EXPECT_EQ(sendDirectByte(state(), 0x41), 1);
    EXPECT_EQ(recording().availablePolls, kDriverAnswerPolls);
}

TEST_F(DriverByte, AnOpenBracketStaysOpen) {
    ASSERT_EQ(openCommandBracket(state()), 0);
    recording().calls.clear();
    recording().answers = {0xFA};
    EXPECT_EQ(sendDirectByte(state(), 0x41), 0);
    EXPECT_EQ(calls(), (Calls{"vdd_sendbyte 41", "EF_get", "clr"}));
    EXPECT_TRUE(state().commands.bracketOpen);
}

TEST_F(DriverByte, AStringSendsEachByteUntilItIsAcknowledged) {
    recording().answers = {0xFA, 0xFE, std::nullopt, 0xFA};
    EXPECT_EQ(sendDirectString(state(), "AB"), 1);
    Calls sentBytes;
    for (const std::string& call : calls()) {
        if (call.starts_with("vdd_sendbyte")) sentBytes.push_back(call);
    }
    EXPECT_EQ(sentBytes, (Calls{"vdd_sendbyte 41", "vdd_sendbyte 42", "vdd_sendbyte 42", "vdd_sendbyte 42"}));
}

TEST_F(DriverByte, AStringIsGivenUpAfterAHundredFailuresOfOneByte) {
    recording().answers.assign(99, 0xFE);
    recording().answers.push_back(0xFA);
    EXPECT_EQ(sendDirectString(state(), "A"), 1) << "99 failures and then success";
    recording().answers.assign(100, 0xFE);
    recording().answers.push_back(0xFA);
    recording().calls.clear();
    EXPECT_EQ(sendDirectString(state(), "A"), 0);
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "vdd_sendbyte 41"), 100);
}

TEST_F(DriverByte, AnEmptyStringSendsNothing) {
    EXPECT_EQ(sendDirectString(state(), ""), 1);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(sendDirectString(state(), nullptr), 0);
}

// The keyboard controller's ports with a keyboard behind them that answers
// each data byte with the bytes the test gives.
class FakeController : public kbx::platform::KeyboardChannel {
public:
    struct Log {
        std::vector<std::pair<std::uint16_t, std::uint8_t>> writes;
        std::deque<std::uint8_t> answer;   // what the keyboard answers next
        std::uint8_t answerStatus = 0x01;  // status bits while an answer waits
        bool stuckInput = false;           // the controller never takes a write
        bool broken = false;
    };
    explicit FakeController(Log& log) : log_(log) {}

    std::optional<std::uint8_t> readPort(std::uint16_t port) override {
        if (log_.broken) return std::nullopt;
        if (port == 0x64) {
            if (log_.stuckInput) return 0x02;
            return pending_.empty() ? std::uint8_t{0} : log_.answerStatus;
        }
        if (pending_.empty()) return std::uint8_t{0};
        const std::uint8_t byte = pending_.front();
        pending_.pop_front();
        return byte;
    }
    bool writePort(std::uint16_t port, std::uint8_t value) override {
        log_.writes.emplace_back(port, value);
        const bool commandByte = expectCommandByte_;
        expectCommandByte_ = port == 0x64 && value == 0x60;
        if (port == 0x60 && !commandByte) std::swap(pending_, log_.answer);
        return true;
    }
    std::optional<std::vector<std::uint8_t>> deviceControl(std::uint32_t, std::span<const std::uint8_t>,
                                                           std::size_t) override {
        return std::nullopt;
    }
    bool driverRequest(std::uint32_t, std::span<const std::uint8_t>) override { return false; }

private:
    Log& log_;
    std::deque<std::uint8_t> pending_;
    bool expectCommandByte_ = false;
};

using Writes = std::vector<std::pair<std::uint16_t, std::uint8_t>>;

TEST(ControllerByte, TheCommandByteIsClearedAroundTheByte) {
    FakeController::Log log;
    log.answer = {0xFA};
    FakeController ports(log);
    EXPECT_EQ(sendThroughController(ports, 0x41), 0);
    EXPECT_EQ(log.writes, (Writes{{0x64, 0x60}, {0x60, 0x00}, {0x60, 0x41}, {0x64, 0x60}, {0x60, 0x41}}));
}

TEST(ControllerByte, TheLastByteReadDecides) {
    FakeController::Log log;
    log.answer = {0xFE};
    FakeController ports(log);
    EXPECT_EQ(sendThroughController(ports, 0x41), 1);

    // With bits 5 and 6 set the controller reads on: the acknowledgement
    // after another byte counts.
    log.answer = {0xAA, 0xFA};
    log.answerStatus = 0x61;
    EXPECT_EQ(sendThroughController(ports, 0x41), 0);
    log.answer = {0xFA, 0xAA};
    EXPECT_EQ(sendThroughController(ports, 0x41), 1);
}

TEST(ControllerByte, SilenceAStuckControllerOrBrokenPortsFail) {
    FakeController::Log log;
    FakeController ports(log);
    EXPECT_EQ(sendThroughController(ports, 0x41), 1);
    log.stuckInput = true;
    EXPECT_EQ(sendThroughController(ports, 0x41), 1);
    EXPECT_EQ(log.writes.size(), 5u) << "only the silent send wrote";
    log.broken = true;
    EXPECT_EQ(sendThroughController(ports, 0x41), 1);
}

TEST(ControllerByte, TheNinetyFiveFamilyUsesTheControllerAndNoDriver) {
    installRecordingKbxi(false);
    FakeController::Log log;
    log.answer = {0xFA};
    state().commands.openControllerChannel = [&log] { return std::make_unique<FakeController>(log); };
    EXPECT_EQ(sendDirectByte(state(), 0x42), 0);
    EXPECT_TRUE(recording().calls.empty());
    EXPECT_EQ(log.writes.size(), 5u);
    resetStateForTests();
}

TEST(ControllerByte, WithoutPortsTheByteFails) {
    installRecordingKbxi(false);
    state().commands.openControllerChannel = [] { return std::unique_ptr<kbx::platform::KeyboardChannel>(); };
    EXPECT_EQ(sendDirectByte(state(), 0x42), 1);
    EXPECT_EQ(sendDirectString(state(), "A"), 0);
    resetStateForTests();
}

TEST(ControllerByte, PortsThatCannotBeOpenedAreNamedOnceWithTheReason) {
    installRecordingKbxi(false);
    ::setenv(kbx::platform::kKeyboardVariable, "sim:/tmp/kbx-no-such-keyboard", 1);
    kbx::platform::testing::RecordingNotifier recorder;
    EXPECT_EQ(sendDirectString(state(), "AB"), 0);
    ::unsetenv(kbx::platform::kKeyboardVariable);
    EXPECT_EQ(recorder.texts,
              std::vector<std::string>{"KBX_KEYBOARD: /tmp/kbx-no-such-keyboard: No such file or directory"});
    resetStateForTests();
}

}  // namespace
}  // namespace kbxfunc::test
