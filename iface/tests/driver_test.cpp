// The driver device: one request per byte.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "iface/tests/fake_keyboard_port.h"
#include "iface/transports/driver.h"
#include "tests/support/recording_notifier.h"

namespace kbxi {
namespace {

using test::Bytes;

TEST(Driver, EachByteIsOneRequestWithTheSendWordAndTheByte) {
    test::FakeKeyboardPort keyboard;
    KeyboardChannelAccess access{test::openerFor(keyboard)};
    Driver driver{access};
    EXPECT_EQ(driver.sendFramed(0x41), 0);
    EXPECT_EQ(driver.sendRaw(0xEF), 0);
    ASSERT_EQ(keyboard.driverCalls.size(), 2u);
    EXPECT_EQ(keyboard.driverCalls[0].code, 0x000B0008u);
    EXPECT_EQ(keyboard.driverCalls[0].input, (Bytes{0xEF, 0x00, 0x41, 0x00}));
    EXPECT_EQ(keyboard.driverCalls[1].input, (Bytes{0xEF, 0x00, 0xEF, 0x00}));
}

TEST(Driver, RefusedByteFailsAndTheDeviceIsOpenedAgain) {
    test::FakeKeyboardPort keyboard;
    keyboard.driverAccepts = false;
    KeyboardChannelAccess access{test::openerFor(keyboard)};
    Driver driver{access};
    EXPECT_EQ(driver.sendRaw(0x41), 1);
    keyboard.driverAccepts = true;
    EXPECT_EQ(driver.sendRaw(0x41), 0);
    EXPECT_EQ(keyboard.opens, 2);
}

TEST(Driver, WithoutTheDeviceNoByteIsTaken) {
    KeyboardChannelAccess access{test::noKeyboardPort()};
    Driver driver{access};
    EXPECT_EQ(driver.sendFramed(0x41), 1);
    EXPECT_EQ(driver.sendRaw(0x41), 1);
}

TEST(Driver, AChannelThatCannotBeOpenedIsReportedOnceWithItsReason) {
    kbx::platform::testing::RecordingNotifier recorder;
    KeyboardChannelAccess access{[](std::string& why) -> std::unique_ptr<kbx::platform::KeyboardChannel> {
        why = "KBX_KEYBOARD: /dev/serio_raw0: Permission denied";
        return nullptr;
    }};
    Driver driver{access};
    EXPECT_EQ(driver.sendFramed(0x41), 1);
    EXPECT_EQ(driver.sendFramed(0x42), 1);
    EXPECT_EQ(recorder.texts, std::vector<std::string>{"KBX_KEYBOARD: /dev/serio_raw0: Permission denied"});
}

}  // namespace
}  // namespace kbxi
