// The evdev key source on the machine's own kernel: a keyboard made through
// uinput is opened as KBX_KEYBOARD_EVENTS names it, grabbed, read and given
// back. Machines without /dev/uinput (containers, CI) skip these tests.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <linux/input.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/channel_protocol.h"
#include "platform/event_loop.h"
#include "platform/key_events.h"
#include "platform/unique_fd.h"

namespace kbx::platform {
namespace {

using namespace std::chrono_literals;

constexpr char kUinput[] = "/dev/uinput";

class UinputKeyboard {
public:
    UinputKeyboard() {
        libevdev* device = libevdev_new();
        libevdev_set_name(device, "kbx test keyboard");
        for (unsigned key : {KEY_A, KEY_ENTER, KEY_F13}) libevdev_enable_event_code(device, EV_KEY, key, nullptr);
        libevdev_enable_event_code(device, EV_MSC, MSC_SCAN, nullptr);
        libevdev_enable_event_code(device, EV_LED, LED_CAPSL, nullptr);
        libevdev_uinput_create_from_device(device, LIBEVDEV_UINPUT_OPEN_MANAGED, &uinput_);
        libevdev_free(device);
    }
    ~UinputKeyboard() {
        if (uinput_ != nullptr) libevdev_uinput_destroy(uinput_);
    }
    UinputKeyboard(const UinputKeyboard&) = delete;
    UinputKeyboard& operator=(const UinputKeyboard&) = delete;

    const char* node() const { return uinput_ != nullptr ? libevdev_uinput_get_devnode(uinput_) : nullptr; }
    void press(std::int32_t scan, unsigned key, int value) {
        libevdev_uinput_write_event(uinput_, EV_MSC, MSC_SCAN, scan);
        libevdev_uinput_write_event(uinput_, EV_KEY, key, value);
        libevdev_uinput_write_event(uinput_, EV_SYN, SYN_REPORT, 0);
    }

private:
    libevdev_uinput* uinput_ = nullptr;
};

// Whether another reader could grab the device now.
bool grabbedByAnother(const char* node) {
    UniqueFd fd(::open(node, O_RDONLY | O_CLOEXEC));
    if (::ioctl(fd.get(), EVIOCGRAB, 1) == 0) {
        ::ioctl(fd.get(), EVIOCGRAB, 0);
        return false;
    }
    return errno == EBUSY;
}

class EvdevOnThisKernel : public ::testing::Test {
protected:
    void SetUp() override {
        if (::access(kUinput, W_OK) != 0) GTEST_SKIP() << "no writable /dev/uinput here: uinput and grab untested";
        resetLoopForTests();
    }
    void TearDown() override {
        ::unsetenv(kKeyEventsVariable);
        resetLoopForTests();
    }
};

TEST_F(EvdevOnThisKernel, KeysArriveWhileGrabbedAndTheGrabEndsWithTheSource) {
    UinputKeyboard keyboard;
    ASSERT_NE(keyboard.node(), nullptr);
    std::this_thread::sleep_for(200ms);  // udev makes the node
    ::setenv(kKeyEventsVariable, (std::string("evdev:") + keyboard.node()).c_str(), 1);
    std::vector<std::uint32_t> seen;
    OpenedKeyEventSource opened = openKeyEventSource([&](std::uint32_t key) {
        seen.push_back(key);
        return true;
    });
    ASSERT_TRUE(opened.source) << opened.error;
    EXPECT_TRUE(grabbedByAnother(keyboard.node()));

    keyboard.press(0x64, KEY_F13, 1);
    keyboard.press(0x1E, KEY_A, 1);
    keyboard.press(0x1E, KEY_A, 0);
    runUntil([&] { return seen.size() == 3; }, 2000ms);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{channel::keyData(0x64, false), channel::keyData(0x1E, false),
                                                channel::keyData(0x1E, true)}));
    opened.source.reset();
    EXPECT_FALSE(grabbedByAnother(keyboard.node()));
}

TEST_F(EvdevOnThisKernel, AKeyHeldAtOpeningDelaysTheGrabUntilItIsReleased) {
    UinputKeyboard keyboard;
    ASSERT_NE(keyboard.node(), nullptr);
    std::this_thread::sleep_for(200ms);
    keyboard.press(0x1C, KEY_ENTER, 1);
    ::setenv(kKeyEventsVariable, (std::string("evdev:") + keyboard.node()).c_str(), 1);
    OpenedKeyEventSource opened = openKeyEventSource([](std::uint32_t) { return true; });
    ASSERT_TRUE(opened.source) << opened.error;
    EXPECT_FALSE(grabbedByAnother(keyboard.node())) << "the Enter is still down";
    keyboard.press(0x1C, KEY_ENTER, 0);
    runUntil([&] { return grabbedByAnother(keyboard.node()); }, 2000ms);
    EXPECT_TRUE(grabbedByAnother(keyboard.node()));
}

}  // namespace
}  // namespace kbx::platform
