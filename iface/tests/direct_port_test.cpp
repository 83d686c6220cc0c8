// The keyboard controller's ports: plain bytes with their acknowledgement,
// protocol bytes in LED-command nibbles, and controllers that fail.

#include <gtest/gtest.h>

#include "iface/tests/fake_keyboard_port.h"
#include "iface/transports/direct_port.h"

namespace kbxi {
namespace {

using test::Bytes;

constexpr std::uint8_t kAck = 0xFA;
constexpr std::uint8_t kResend = 0xFE;

class DirectPortTest : public testing::Test {
protected:
    test::FakeKeyboardPort keyboard_;
    KeyboardChannelAccess access_{test::openerFor(keyboard_)};
    DirectPort port_{access_};

    void answerEveryByteWith(Bytes answer) {
        keyboard_.answer = [answer](std::uint8_t) { return answer; };
    }
};

TEST_F(DirectPortTest, AcknowledgedByteIsExchangedWithInterruptAndTranslationOff) {
    EXPECT_EQ(port_.sendRaw(0x55), 0);
    EXPECT_EQ(keyboard_.received, Bytes{0x55});
    EXPECT_EQ(keyboard_.commandBytes, (Bytes{0x00, 0x41}));
}

TEST_F(DirectPortTest, BriefBusyControllerIsWaitedFor) {
    keyboard_.busyReads = 40;
    EXPECT_EQ(port_.sendRaw(0x55), 0);
    EXPECT_EQ(keyboard_.received, Bytes{0x55});
    EXPECT_EQ(keyboard_.commandBytes, (Bytes{0x00, 0x41}));
}

TEST_F(DirectPortTest, ByteWithoutAcknowledgementFailsOnceThePollsRunOut) {
    for (const Bytes& answer : {Bytes{kResend}, Bytes{}}) {
        keyboard_ = {};
        answerEveryByteWith(answer);
        EXPECT_EQ(port_.sendRaw(0x55), 1);
        EXPECT_EQ(keyboard_.received, Bytes{0x55});  // given up, not sent again
        EXPECT_EQ(keyboard_.commandBytes, (Bytes{0x00, 0x41}));
        EXPECT_GT(keyboard_.statusReads, 0x14FF0u);
    }
}

TEST_F(DirectPortTest, AcknowledgementCountsWhenTheOutputBufferIsEmptyOrBitsFiveAndSixSayNow) {
    // A byte that follows the acknowledgement replaces it before it is looked at...
    answerEveryByteWith({kAck, 0xAA});
    EXPECT_EQ(port_.sendRaw(0x55), 1);
    // ...unless the status tells to examine each byte as it is read.
    keyboard_ = {};
    answerEveryByteWith({kAck, 0xAA});
    keyboard_.fullStatus = 0x60;
    EXPECT_EQ(port_.sendRaw(0x55), 0);
}

TEST_F(DirectPortTest, ControllerThatStaysBusyGetsNoByteAndTheSendEnds) {
    keyboard_.alwaysBusy = true;
    EXPECT_EQ(port_.sendRaw(0x55), 1);
    EXPECT_TRUE(keyboard_.received.empty());
    EXPECT_TRUE(keyboard_.commandBytes.empty());
}

TEST_F(DirectPortTest, BrokenChannelEndsTheSendAndIsOpenedAgainForTheNextByte) {
    keyboard_.breakAfter = 5;
    EXPECT_EQ(port_.sendRaw(0x55), 1);
    EXPECT_EQ(keyboard_.requests, 6u);  // nothing asked after the failure
    keyboard_.breakAfter = std::numeric_limits<std::size_t>::max();
    EXPECT_EQ(port_.sendRaw(0x55), 0);
    EXPECT_EQ(keyboard_.opens, 2);
}

TEST_F(DirectPortTest, ChannelIsKeptWhileItWorks) {
    EXPECT_EQ(port_.sendFramed(0x12), 0);
    EXPECT_EQ(keyboard_.opens, 1);
}

TEST(DirectPort, WithoutAControllerNoByteIsTaken) {
    KeyboardChannelAccess access{test::noKeyboardPort()};
    DirectPort port{access};
    EXPECT_EQ(port.sendRaw(0x41), 1);
    EXPECT_EQ(port.sendFramed(0x41), 1);
}

TEST_F(DirectPortTest, ByteTravelsInTheNibblesOfTwoLedCommands) {
    EXPECT_EQ(port_.sendFramed(0x12), 0);
    EXPECT_EQ(keyboard_.received, (Bytes{0xED, 0x12, 0xED, 0x21}));
    EXPECT_EQ(keyboard_.commandBytes, (Bytes{0x00, 0x41, 0x00, 0x41, 0x00, 0x41, 0x00, 0x41}));
}

TEST_F(DirectPortTest, FrameStartAndEcTouchNoPortButChooseTheHighNibbleTag) {
    EXPECT_EQ(port_.sendFramed(0xEC), 0);
    EXPECT_EQ(keyboard_.requests, 0u);
    EXPECT_EQ(port_.sendFramed(0x12), 0);
    EXPECT_EQ(keyboard_.received, (Bytes{0xED, 0x12, 0xED, 0x31}));
    const std::size_t requests = keyboard_.requests;
    EXPECT_EQ(port_.sendFramed(0xEF), 0);
    EXPECT_EQ(keyboard_.requests, requests);
    EXPECT_EQ(port_.highNibbleTag(), 0x20);
    keyboard_.received.clear();
    EXPECT_EQ(port_.sendFramed(0xA7), 0);
    EXPECT_EQ(keyboard_.received, (Bytes{0xED, 0x17, 0xED, 0x2A}));
}

TEST_F(DirectPortTest, FramedByteStopsAtTheFirstRefusedLedCommand) {
    keyboard_.answer = [](std::uint8_t byte) { return Bytes{std::uint8_t(byte == 0xED ? kAck : kResend)}; };
    EXPECT_EQ(port_.sendFramed(0x12), 1);
    EXPECT_EQ(keyboard_.received, (Bytes{0xED, 0x12}));
}

TEST_F(DirectPortTest, ZeroByteResetsTheTagEvenWhenItFails) {
    port_.sendFramed(0xEC);
    answerEveryByteWith({});
    EXPECT_EQ(port_.sendFramed(0x00), 1);
    EXPECT_EQ(keyboard_.received, Bytes{0xED});
    EXPECT_EQ(port_.highNibbleTag(), 0x20);
}

}  // namespace
}  // namespace kbxi
