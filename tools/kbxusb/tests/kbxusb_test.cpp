// The USB library as the interface library binds it: its three calls over
// the simulated keyboard's socket, and its binding through UsbLibrary.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "iface/transports/usb.h"
#include "platform/dynamic_library.h"
#include "tests/support/channel_test_server.h"
#include "tests/support/recording_notifier.h"
#include "tests/support/symbols.h"

namespace {

using kbx::platform::channel::Kind;
using kbx::platform::channel::Packet;
using kbx::platform::test::ChannelTestServer;
using kbx::platform::test::replyOf;

constexpr char kLibrary[] = KBX_LIBRARY_DIR "/libkbxusb.so";
constexpr char kVariable[] = "KBX_USB";

// A USB keyboard that takes every byte but 0x13, and counts the releases.
class UsbKeyboardServer {
public:
    UsbKeyboardServer()
        : server([this](const Packet& request, bool& hangUp) -> std::optional<Packet> {
              if (hangUpNext) {
                  hangUp = true;
                  hangUpNext = false;
                  return std::nullopt;
              }
              switch (Kind(request[0])) {
                  case Kind::usbSend: return replyOf({std::uint8_t(request.at(1) == 0x13 ? 1 : 0)});
                  case Kind::usbCheck: return replyOf({checkResult});
                  case Kind::usbClose: return replyOf({0});
                  default: return std::nullopt;
              }
          }) {}

    int count(Kind kind) const {
        int n = 0;
        for (const Packet& request : server.requests()) n += Kind(request[0]) == kind;
        return n;
    }

    std::atomic<std::uint8_t> checkResult{0};
    std::atomic<bool> hangUpNext{false};
    ChannelTestServer server;
};

class UsbLibraryTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library_.isOpen()) << library_.error();
        send_ = library_.symbol<int (*)(int)>("snddata_USB");
        check_ = library_.symbol<int (*)()>("Check_USB");
        close_ = library_.symbol<void (*)()>("Close_USB");
        ASSERT_NE(send_, nullptr);
        ASSERT_NE(check_, nullptr);
        ASSERT_NE(close_, nullptr);
    }
    void TearDown() override {
        close_();  // the library keeps its connection between tests otherwise
        unsetenv(kVariable);
    }
    void pointAt(const UsbKeyboardServer& keyboard) { setenv(kVariable, keyboard.server.variable().c_str(), 1); }

    kbx::platform::DynamicLibrary library_{kLibrary};
    int (*send_)(int) = nullptr;
    int (*check_)() = nullptr;
    void (*close_)() = nullptr;
};

TEST(UsbLibraryExports, OnlyItsThreeCalls) {
    EXPECT_EQ(kbxtest::definedSymbols(kLibrary), "Check_USB\nClose_USB\nsnddata_USB\n");
}

TEST_F(UsbLibraryTest, WithNoKeyboardNamedItIsUnreachable) {
    unsetenv(kVariable);
    EXPECT_NE(check_(), 0);
    EXPECT_EQ(send_(0x41), 1);
    setenv(kVariable, "sim:/tmp/kbx-no-such-socket-here", 1);
    EXPECT_NE(check_(), 0);
    EXPECT_EQ(send_(0x41), 1);
}

// Each byte of a download tries to connect again; the user is told which
// keyboard cannot be reached and why, once.
TEST_F(UsbLibraryTest, ANamedKeyboardThatCannotBeReachedIsReportedOnce) {
    kbx::platform::testing::RecordingNotifier notifier;
    setenv(kVariable, "sim:/tmp/kbx-no-such-socket-here", 1);
    EXPECT_EQ(send_(0x41), 1);
    EXPECT_EQ(send_(0x42), 1);
    EXPECT_NE(check_(), 0);
    EXPECT_EQ(notifier.texts,
              std::vector<std::string>{"KBX_USB: /tmp/kbx-no-such-socket-here: No such file or directory"});
}

TEST_F(UsbLibraryTest, BytesGoToTheKeyboardOneConnectionForAll) {
    UsbKeyboardServer keyboard;
    pointAt(keyboard);
    EXPECT_EQ(check_(), 0);
    EXPECT_EQ(send_(0x41), 0);
    EXPECT_EQ(send_(0xEF), 0);
    EXPECT_EQ(send_(0x13), 1);  // refused
    EXPECT_EQ(send_(0x141), 0);  // the low 8 bits count
    const auto requests = keyboard.server.requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[1], (Packet{std::uint8_t(Kind::usbSend), 0x41}));
    EXPECT_EQ(requests[4], (Packet{std::uint8_t(Kind::usbSend), 0x41}));
    EXPECT_EQ(keyboard.server.connections(), 1);
    keyboard.checkResult = 1;
    EXPECT_EQ(check_(), 1);
}

TEST_F(UsbLibraryTest, CloseReleasesTheKeyboardAndTheNextCallConnectsAgain) {
    UsbKeyboardServer keyboard;
    pointAt(keyboard);
    EXPECT_EQ(send_(0x41), 0);
    close_();
    EXPECT_EQ(keyboard.count(Kind::usbClose), 1);
    EXPECT_EQ(send_(0x41), 0);
    EXPECT_EQ(keyboard.server.connections(), 2);
}

TEST_F(UsbLibraryTest, KeyboardThatWentAwayFailsOneByteAndIsReachedAgainAfterwards) {
    UsbKeyboardServer keyboard;
    pointAt(keyboard);
    EXPECT_EQ(send_(0x41), 0);
    keyboard.hangUpNext = true;
    EXPECT_EQ(send_(0x41), 1);
    EXPECT_EQ(send_(0x41), 0);
}

// Bound by the interface library as it binds it.
TEST_F(UsbLibraryTest, InterfaceLibraryBindsItAndReleasesTheKeyboardOnUnbind) {
    UsbKeyboardServer keyboard;
    pointAt(keyboard);
    kbxi::UsbLibrary usb(kbxi::openSharedLibrary, kLibrary);
    ASSERT_EQ(usb.bind(), 0);
    EXPECT_EQ(usb.check(), 0);
    EXPECT_EQ(usb.sendFramed(0xEF), 0);
    EXPECT_EQ(usb.sendRaw(0x13), 1);
    EXPECT_EQ(usb.release(), 0);
    EXPECT_FALSE(usb.bound());
    EXPECT_EQ(keyboard.count(Kind::usbClose), 1);
}

}  // namespace
