// The keyboard device: its eight requests, the send with acknowledgement and
// its three attempts, and the echo test.

#include <gtest/gtest.h>

#include <chrono>

#include "iface/shared_timer.h"
#include "iface/tests/fake_keyboard_port.h"
#include "iface/transports/keyboard_device.h"
#include "platform/event_loop.h"

namespace kbxi {
namespace {

using test::Bytes;
using test::kAvailable;
using test::kCapture;
using test::kClear;
using test::kGet;
using test::kRelease;
using test::kSendByte;

void stopTimer(void*, unsigned, kbx::platform::TimerId id, std::uint32_t) { kbx::platform::killTimer(id); }

class KeyboardDeviceTest : public testing::Test {
protected:
    void SetUp() override { kbx::platform::resetLoopForTests(); }
    void TearDown() override {
        timer_.stop();
        kbx::platform::resetLoopForTests();
    }

    std::size_t count(std::uint32_t code) const {
        std::size_t n = 0;
        for (std::uint32_t made : keyboard_.deviceCodes()) n += made == code;
        return n;
    }
    // The calls without the polls of the answer wait.
    std::vector<std::uint32_t> callsBesidesPolls() const {
        std::vector<std::uint32_t> calls;
        for (std::uint32_t code : keyboard_.deviceCodes())
            if (code != kAvailable && code != kGet) calls.push_back(code);
        return calls;
    }

    test::FakeKeyboardPort keyboard_;
    KeyboardChannelAccess access_{test::openerFor(keyboard_)};
    SharedTimer timer_;
    KeyboardDevice device_{access_, timer_, stopTimer};
};

struct RequestCase {
    const char* name;
    std::uint32_t code;
    std::size_t outputSize;
};

TEST_F(KeyboardDeviceTest, EachRequestHasItsControlCodeAndOutputSize) {
    const RequestCase cases[] = {
        {"translate on", 0x000B1000, 1}, {"translate off", 0x000B2000, 1}, {"capture", kCapture, 1},
        {"release", kRelease, 1},        {"clear", kClear, 1},             {"available", kAvailable, 4},
        {"get", kGet, 1},                {"send byte", kSendByte, 1},
    };
    EXPECT_EQ(device_.switchRequest(DeviceRequest::translateOn), 1);
    EXPECT_EQ(device_.switchRequest(DeviceRequest::translateOff), 1);
    EXPECT_EQ(device_.switchRequest(DeviceRequest::capture), 1);
    EXPECT_EQ(device_.switchRequest(DeviceRequest::release), 1);
    EXPECT_EQ(device_.switchRequest(DeviceRequest::clear), 1);
    EXPECT_EQ(device_.replyAvailable(), 0u);
    EXPECT_EQ(device_.nextReply(), 0);
    EXPECT_EQ(device_.sendByte(0x41), 1);
    ASSERT_EQ(keyboard_.deviceCalls.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(keyboard_.deviceCalls[i].code, cases[i].code);
        EXPECT_EQ(keyboard_.deviceCalls[i].outputSize, cases[i].outputSize);
        EXPECT_EQ(keyboard_.deviceCalls[i].input, cases[i].code == kSendByte ? Bytes{0x41} : Bytes{});
    }
}

TEST(KeyboardDevice, WithoutTheDeviceEveryRequestSaysSo) {
    KeyboardChannelAccess access{test::noKeyboardPort()};
    SharedTimer timer;
    KeyboardDevice device{access, timer, stopTimer};
    for (DeviceRequest request : {DeviceRequest::translateOn, DeviceRequest::translateOff, DeviceRequest::capture,
                                  DeviceRequest::release, DeviceRequest::clear})
        EXPECT_EQ(device.switchRequest(request), -1);
    EXPECT_EQ(device.replyAvailable(), 0u);
    EXPECT_EQ(device.nextReply(), 0xFF);
    EXPECT_EQ(device.sendByte(0x41), -1);
}

// The three 1500 ms waits are for a keyboard that is there and stays
// silent; a device that cannot be opened fails the byte, and the echo test,
// at once (else a download over it would take a minute to fail).
TEST(KeyboardDevice, WithoutTheDeviceSendAndEchoTestFailAtOnce) {
    KeyboardChannelAccess access{test::noKeyboardPort()};
    SharedTimer timer;
    KeyboardDevice device{access, timer, stopTimer};
    char text[128] = "";
    MessageBuffer message(text, sizeof text);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(device.sendRaw(0x55), 1);
    EXPECT_EQ(device.sendFramed(0xEF), 1);
    EXPECT_EQ(device.echoTest(message), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1000));
    EXPECT_STREQ(text, "EE check failed / NT");
    EXPECT_FALSE(timer.running());
}

TEST_F(KeyboardDeviceTest, AcknowledgedByteIsSentOnceInsideACapture) {
    EXPECT_EQ(device_.sendRaw(0x55), 0);
    EXPECT_EQ(keyboard_.received, Bytes{0x55});
    EXPECT_EQ(callsBesidesPolls(), (std::vector<std::uint32_t>{kCapture, kSendByte, kClear, kRelease}));
    EXPECT_FALSE(keyboard_.captured);
    EXPECT_FALSE(timer_.running());
}

TEST_F(KeyboardDeviceTest, OtherAnswersThanAcknowledgementOrResendArePassedOver) {
    keyboard_.answer = [](std::uint8_t) { return Bytes{0x00, 0x1E, 0xFA}; };
    EXPECT_EQ(device_.sendFramed(0x55), 0);
    EXPECT_EQ(keyboard_.received.size(), 1u);
}

TEST_F(KeyboardDeviceTest, ResendAnsweredThreeTimesFailsAfterThreeCapturesAndSends) {
    keyboard_.answer = [](std::uint8_t) { return Bytes{0xFE}; };
    EXPECT_EQ(device_.sendRaw(0x55), 1);
    EXPECT_EQ(keyboard_.received, (Bytes{0x55, 0x55, 0x55}));
    EXPECT_EQ(callsBesidesPolls(), (std::vector<std::uint32_t>{kCapture, kSendByte, kCapture, kSendByte, kCapture,
                                                               kSendByte, kClear, kRelease}));
    EXPECT_FALSE(timer_.running());
}

TEST_F(KeyboardDeviceTest, ResendThenAcknowledgementSucceedsOnTheSecondAttempt) {
    int answered = 0;
    keyboard_.answer = [&answered](std::uint8_t) { return Bytes{std::uint8_t(answered++ == 0 ? 0xFE : 0xFA)}; };
    EXPECT_EQ(device_.sendRaw(0x55), 0);
    EXPECT_EQ(count(kSendByte), 2u);
}

TEST_F(KeyboardDeviceTest, KeyboardThatNeverAnswersFailsAfterThreeWaitsOfItsOwnMeasure) {
    keyboard_.answer = [](std::uint8_t) { return Bytes{}; };
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(device_.sendRaw(0x55), 1);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_GE(elapsed, std::chrono::milliseconds(4400));  // three waits, roughly
    EXPECT_LT(elapsed, std::chrono::milliseconds(9000));
    EXPECT_EQ(count(kCapture), 3u);
    EXPECT_FALSE(timer_.running());
}

TEST_F(KeyboardDeviceTest, DeviceLostDuringASendIsNotOpenedAgainUntilTheNextSend) {
    keyboard_.breakAfter = 1;  // the capture goes through, then nothing
    EXPECT_EQ(device_.sendRaw(0x55), 1);
    EXPECT_EQ(keyboard_.opens, 1);
    EXPECT_EQ(keyboard_.requests, 2u);
    // A request of its own opens the device again.
    keyboard_.breakAfter = std::numeric_limits<std::size_t>::max();
    EXPECT_EQ(device_.switchRequest(DeviceRequest::release), 1);
    EXPECT_EQ(keyboard_.opens, 2);
}

TEST_F(KeyboardDeviceTest, EchoTestPassesWhenTheKeyboardEchoes) {
    char text[128] = "";
    MessageBuffer message(text, sizeof text);
    EXPECT_EQ(device_.echoTest(message), 0);
    EXPECT_EQ(keyboard_.received, Bytes{0xEE});
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(keyboard_.captured);
}

TEST_F(KeyboardDeviceTest, EchoTestFailsWithItsMessageWhenNoEchoComes) {
    keyboard_.answer = [](std::uint8_t) { return Bytes{0xFA}; };
    char text[128] = "";
    MessageBuffer message(text, sizeof text);
    EXPECT_EQ(device_.echoTest(message), 1);
    EXPECT_STREQ(text, "EE check failed / NT");
}

}  // namespace
}  // namespace kbxi
