#include <gtest/gtest.h>

#include <array>
#include <string>

#include "iface/protocol/command.h"
#include "iface/tests/scripted_link.h"

namespace kbxi {
namespace {

using test::Bytes;
using test::ScriptedLink;

class CommandTest : public testing::Test {
protected:
    int send(int length, bool raw) {
        length_ = length;
        return sendCommand(link_, &length_, buffer_.data(), raw, message_);
    }
    std::string message() const { return std::string(messageText_); }

    ScriptedLink link_;
    std::array<unsigned char, 257> buffer_{0x01, 0x02, 0x03, 0x04};
    int length_ = 0;
    char messageText_[128] = "";
    MessageBuffer message_{messageText_, sizeof messageText_};
};

TEST_F(CommandTest, BytesGoFramedOrRaw) {
    EXPECT_EQ(send(3, false), 0);
    EXPECT_EQ(link_.framed, (Bytes{0x01, 0x02, 0x03}));
    EXPECT_TRUE(link_.raw.empty());

    link_ = ScriptedLink();
    buffer_[0] = 0x01;  // the empty reply took its place
    EXPECT_EQ(send(2, true), 0);
    EXPECT_EQ(link_.raw, (Bytes{0x01, 0x02}));
    EXPECT_TRUE(link_.framed.empty());
}

TEST_F(CommandTest, WithoutSerialTheReplyIsEmpty) {
    EXPECT_EQ(send(3, false), 0);
    EXPECT_EQ(length_, 0);
    EXPECT_EQ(buffer_[0], 0);
    EXPECT_EQ(link_.binds, 1);
    EXPECT_EQ(link_.releases, 1);
}

TEST_F(CommandTest, SerialReplyFillsTheBufferAndEndsWithNul) {
    link_.serialSelected = true;
    link_.portReplies = {Bytes{'4', '2'}};
    EXPECT_EQ(send(1, false), 0);
    EXPECT_EQ(length_, 2);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer_.data())), "42");
}

TEST_F(CommandTest, LongestSerialReplyLeavesRoomForItsNul) {
    link_.serialSelected = true;
    link_.portReplies = {Bytes(300, 'x')};
    buffer_.fill(0x55);
    EXPECT_EQ(send(1, false), 0);
    EXPECT_EQ(length_, 256);
    EXPECT_EQ(buffer_[255], 'x');
    EXPECT_EQ(buffer_[256], 0);
}

TEST_F(CommandTest, FailedSerialReadGivesAnEmptyReply) {
    link_.serialSelected = true;
    EXPECT_EQ(send(1, false), 0);
    EXPECT_EQ(length_, 0);
    EXPECT_EQ(buffer_[0], 0);
}

TEST_F(CommandTest, FirstFailureIsReportedWithItsPosition) {
    link_.framedAnswer = [](std::size_t number, std::uint8_t) { return number == 2 ? 0x95 : 0; };
    EXPECT_EQ(send(4, false), 0x95);
    EXPECT_EQ(message(), "Err(0x95) at Pos. 2!");
    EXPECT_EQ(link_.framed.size(), 3u);
    EXPECT_EQ(link_.releases, 1);

    link_ = ScriptedLink();
    link_.rawAnswer = [](std::uint8_t) { return 1; };
    EXPECT_EQ(send(4, true), 1);
    EXPECT_EQ(message(), "Err(0x01)(AT0) at Pos. 0!");
}

TEST_F(CommandTest, EmptyCommandSendsNothingAndSucceeds) {
    EXPECT_EQ(send(0, false), 0);
    EXPECT_TRUE(link_.framed.empty());
}

TEST_F(CommandTest, LengthsOutsideTheBufferAreRefused) {
    EXPECT_EQ(send(258, false), -1);
    EXPECT_EQ(send(-1, false), -1);
    EXPECT_EQ(sendCommand(link_, nullptr, buffer_.data(), false, message_), -1);
    EXPECT_EQ(sendCommand(link_, &length_, nullptr, false, message_), -1);
    EXPECT_TRUE(link_.framed.empty());
    EXPECT_EQ(link_.binds, 0);
}

TEST_F(CommandTest, UnboundPointOfSaleLibrarySendsNothing) {
    link_.bindResult = 16;
    EXPECT_EQ(send(3, false), -16);
    EXPECT_TRUE(link_.framed.empty());
}

}  // namespace
}  // namespace kbxi
