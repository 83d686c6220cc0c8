// The three keyboard-port transports against the simulated keyboard over its
// socket: a download puts every image byte into the keyboard's memory, the
// link tests pass, and a keyboard that goes away fails bytes without a hang.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "iface/session.h"
#include "iface/state.h"
#include "iface/tests/scripted_link.h"
#include "kbxsim/simulator.h"
#include "platform/event_loop.h"
#include "tests/support/files.h"

namespace kbxi {
namespace {

using test::Bytes;

constexpr std::size_t kImageLength = 302;

class KeyboardPortOverSimulator : public testing::TestWithParam<std::uint8_t> {
protected:
    void SetUp() override {
        setenv("KBX_KEYBOARD", ("sim:" + keyboard_.channelPath().string()).c_str(), 1);
        kbx::platform::resetLoopForTests();
        resetStateForTests();
        selectInterface(state(), GetParam());
    }
    void TearDown() override {
        unsetenv("KBX_KEYBOARD");
        resetStateForTests();
        kbx::platform::resetLoopForTests();
    }
    std::string writeImage() {
        image_ = test::imageOfLength(kImageLength);
        kbxtest::writeFile(dir_ / "image.kbx", std::string(image_.begin(), image_.end()));
        return (dir_ / "image.kbx").string();
    }
    int download(const std::string& path, const char* interface) {
        std::snprintf(message_, sizeof message_, "%s", interface);
        return refresh(state(), path.c_str(), MessageBuffer(message_, sizeof message_), 0, 0, nullptr);
    }

    kbxsim::Simulator keyboard_;
    kbxtest::TempDir dir_;
    Bytes image_;
    char message_[128] = "";
};

TEST_P(KeyboardPortOverSimulator, DownloadPutsEveryImageByteIntoTheKeyboard) {
    const std::string path = writeImage();
    ASSERT_EQ(download(path, "AT"), int(kImageLength)) << message_;
    EXPECT_STREQ(message_, " 302 bytes sent");
    EXPECT_EQ(keyboard_.memory(4, kImageLength - 4), Bytes(image_.begin() + 4, image_.end()));
}

// The controller ports wait out their full poll count for every refused
// byte, which over the socket takes long; their refusals are tested with a
// controller of the tests' own.
using RefusingKeyboard = KeyboardPortOverSimulator;

TEST_P(RefusingKeyboard, KeyboardThatRefusesEveryByteFailsTheDownload) {
    keyboard_.refuseEveryByte();
    const std::string path = writeImage();
    EXPECT_EQ(download(path, "AT"), -5);
    EXPECT_STREQ(message_, "Download not possible (0x01)");
}

TEST_P(KeyboardPortOverSimulator, KeyboardThatWentAwayFailsTheNextByteAtOnce) {
    ASSERT_EQ(sendDirectByte(state(), 0xF4), 0);
    keyboard_.stop();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(sendInterfaceByte(state(), 0x41), 1);
    // The keyboard device waits out its three attempts; nothing waits longer.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}

std::string transportName(const testing::TestParamInfo<std::uint8_t>& selector) {
    constexpr const char* kNames[] = {"", "directPort", "keyboardDevice", "driver"};
    return kNames[selector.param];
}

INSTANTIATE_TEST_SUITE_P(Transports, KeyboardPortOverSimulator, testing::Values(1, 2, 3), transportName);
INSTANTIATE_TEST_SUITE_P(Transports, RefusingKeyboard, testing::Values(2, 3), transportName);

TEST(KeyboardDeviceOverSimulator, EchoCheckPassesWhenTheKeyboardAnswers) {
    kbxsim::Simulator keyboard;
    setenv("KBX_KEYBOARD", ("sim:" + keyboard.channelPath().string()).c_str(), 1);
    kbx::platform::resetLoopForTests();
    resetStateForTests();
    selectInterface(state(), 2);
    EXPECT_EQ(echoCheck(state()), 0);
    unsetenv("KBX_KEYBOARD");
    resetStateForTests();
}

}  // namespace
}  // namespace kbxi
