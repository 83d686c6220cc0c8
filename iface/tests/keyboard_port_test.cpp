#include <gtest/gtest.h>

#include <vector>

#include "iface/tests/scripted_link.h"
#include "iface/transports/keyboard_port.h"

namespace kbxi {
namespace {

using test::Bytes;

// The direct port with its plain byte exchange recorded instead of made.
class RecordedDirectPort : public DirectPort {
public:
    int sendRaw(std::uint8_t byte) override {
        sent.push_back(byte);
        return sent.size() == failAt ? 1 : 0;
    }
    Bytes sent;
    std::size_t failAt = 0;  // 1-based; 0: never
};

TEST(DirectPort, ByteTravelsInTheNibblesOfTwoLedCommands) {
    RecordedDirectPort port;
    EXPECT_EQ(port.sendFramed(0x12), 0);
    EXPECT_EQ(port.sent, (Bytes{0xED, 0x12, 0xED, 0x21}));
}

TEST(DirectPort, FrameStartAndEcTouchNoPortButChooseTheHighTag) {
    RecordedDirectPort port;
    EXPECT_EQ(port.sendFramed(0xEC), 0);
    EXPECT_TRUE(port.sent.empty());
    EXPECT_EQ(port.sendFramed(0x12), 0);
    EXPECT_EQ(port.sent, (Bytes{0xED, 0x12, 0xED, 0x31}));
    EXPECT_EQ(port.sendFramed(0xEF), 0);
    EXPECT_EQ(port.highNibbleTag(), 0x20);
    EXPECT_EQ(port.sent.size(), 4u);
}

TEST(DirectPort, ZeroByteResetsTheTagEvenWhenItFails) {
    RecordedDirectPort port;
    port.sendFramed(0xEC);
    port.failAt = 1;
    EXPECT_EQ(port.sendFramed(0x00), 1);
    EXPECT_EQ(port.sent, Bytes{0xED});  // abandoned at the first failure
    EXPECT_EQ(port.highNibbleTag(), 0x20);
}

TEST(KeyboardPortTransports, WithoutTheirDevicesNoByteIsTaken) {
    KeyboardDevice device;
    Driver driver;
    DirectPort port;
    EXPECT_EQ(device.sendFramed(0x41), 1);
    EXPECT_EQ(device.sendRaw(0x41), 1);
    EXPECT_EQ(driver.sendFramed(0x41), 1);
    EXPECT_EQ(port.sendRaw(0x41), 1);
    EXPECT_EQ(port.sendFramed(0x41), 1);
    char text[128] = "";
    MessageBuffer message(text, sizeof text);
    EXPECT_EQ(device.echoTest(message), 1);
    EXPECT_STREQ(text, "EE check failed / NT");
}

}  // namespace
}  // namespace kbxi
