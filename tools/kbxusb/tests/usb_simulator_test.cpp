// A download over USB as the interface library makes it: through this
// library into the simulated keyboard's memory.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "iface/session.h"
#include "iface/state.h"
#include "kbxsim/simulator.h"
#include "platform/event_loop.h"
#include "tests/support/files.h"

namespace {

constexpr char kLibrary[] = KBX_LIBRARY_DIR "/libkbxusb.so";

// An image of `length` bytes: the magic, the length field, then bytes that
// tell their offset.
std::vector<std::uint8_t> imageOfLength(std::size_t length) {
    std::vector<std::uint8_t> image(length);
    for (std::size_t i = 0; i < length; ++i) image[i] = std::uint8_t(i * 7 + 3);
    const char magic[] = "Vyrn";
    std::copy(magic, magic + 4, image.begin());
    image[6] = std::uint8_t(length >> 8);
    image[7] = std::uint8_t(length);
    return image;
}

class UsbOverSimulator : public testing::Test {
protected:
    void SetUp() override {
        setenv("KBX_USB", ("sim:" + keyboard_.channelPath().string()).c_str(), 1);
        kbx::platform::resetLoopForTests();
        kbxi::resetStateForTests();
        kbxi::state().usb = kbxi::UsbLibrary(kbxi::openSharedLibrary, kLibrary);
    }
    void TearDown() override {
        kbxi::resetStateForTests();
        unsetenv("KBX_USB");
    }
    int download(const std::vector<std::uint8_t>& image) {
        kbxtest::writeFile(dir_ / "image.kbx", std::string(image.begin(), image.end()));
        std::snprintf(message_, sizeof message_, "USB CHECK");
        return kbxi::refresh(kbxi::state(), (dir_ / "image.kbx").c_str(),
                             kbxi::MessageBuffer(message_, sizeof message_), 0, 0, nullptr);
    }

    kbxsim::Simulator keyboard_;
    kbxtest::TempDir dir_;
    char message_[128] = "";
};

TEST_F(UsbOverSimulator, DownloadPutsTheImageIntoTheKeyboardAndReleasesIt) {
    const std::vector<std::uint8_t> image = imageOfLength(500);
    ASSERT_EQ(download(image), 500) << message_;
    EXPECT_STREQ(message_, " 500 bytes sent");
    EXPECT_EQ(keyboard_.memory(4, 496), std::vector<std::uint8_t>(image.begin() + 4, image.end()));
    EXPECT_EQ(keyboard_.channelCounters().usbCloses, 1u);
    EXPECT_FALSE(kbxi::state().usb.bound());
}

TEST_F(UsbOverSimulator, SilentKeyboardFailsTheCheckBeforeAnythingIsSent) {
    keyboard_.goSilent(0);
    EXPECT_EQ(download(imageOfLength(302)), -5);
    EXPECT_STREQ(message_, "download check failed (USB)");
    EXPECT_EQ(keyboard_.hostWritesIn(0, 8191), 0u);
}

}  // namespace
