// The raw-port key source on a recorded byte stream, with a pseudo-terminal
// in raw mode standing in for /dev/serio_rawN: the test plays the keyboard
// at the master end. The bytes are what a keyboard behind a translating
// controller sends (set 1: 0xE0 before extended codes, the high bit for a
// release), as the kernel's serio_raw driver hands them out unchanged.

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <thread>
#include <vector>

#include "platform/channel_protocol.h"
#include "platform/key_events/key_events_serio.h"
#include "platform/channel/serio_channel.h"
#include "platform/tests/recorded_pass_on.h"

namespace kbx::platform {
namespace {

using namespace std::chrono_literals;
using testing::Events;
using Keys = std::vector<std::uint32_t>;

constexpr std::uint32_t kAlt = 1u << 29;

class SerioSource : public ::testing::Test {
protected:
    void SetUp() override {
        int master = -1;
        int slave = -1;
        ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        termios raw{};
        ::tcgetattr(slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave, TCSANOW, &raw);
        master_ = UniqueFd(master);
        port_ = SerioPort::over(UniqueFd(slave));
        source_ = std::make_unique<SerioKeyEvents>(port_, std::make_unique<testing::RecordedPassOn>(passOn_),
                                                   [this](std::uint32_t key) {
                                                       seen_.push_back(key);
                                                       return swallowed_.count(channel::scanCodeOf(key)) != 0;
                                                   });
    }

    void keyboardSends(std::vector<std::uint8_t> bytes) {
        ASSERT_EQ(::write(master_.get(), bytes.data(), bytes.size()), ssize_t(bytes.size()));
        std::this_thread::sleep_for(20ms);
    }

    UniqueFd master_;
    std::shared_ptr<SerioPort> port_;
    testing::PassOnRecord passOn_;
    std::unique_ptr<SerioKeyEvents> source_;
    Keys seen_;
    std::set<std::uint8_t> swallowed_;
};

TEST_F(SerioSource, MarkersAndModuleBytesGoToTheHandlerAndOrdinaryKeysToTheDesktop) {
    swallowed_ = {0x62, 0x10, 0x38};
    // Marker, AltGr+Q (the @ of a German keyboard), marker; then Enter.
    keyboardSends({0x62, 0xE2, 0xE0, 0x38, 0x10, 0x90, 0xE0, 0xB8, 0x62, 0xE2, 0x1C, 0x9C});
    source_->readPort();
    EXPECT_EQ(seen_, (Keys{channel::keyData(0x62, false), channel::keyData(0x62, true),
                           channel::keyData(0x38, false, true, true), channel::keyData(0x10, false, false, true),
                           channel::keyData(0x10, true, false, true), channel::keyData(0x38, true, true, true),
                           channel::keyData(0x62, false), channel::keyData(0x62, true), channel::keyData(0x1C, false),
                           channel::keyData(0x1C, true)}));
    EXPECT_EQ(passOn_.written, (Events{{EV_KEY, KEY_ENTER, 1}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, KEY_ENTER, 0},
                                       {EV_SYN, SYN_REPORT, 0}}));
}

TEST_F(SerioSource, RepeatsPauseAndTheKeyboardsOwnShiftReachTheDesktopAsTheKernelWouldReportThem) {
    // A held A repeats; Pause is E1 1D 45 E1 9D C5; E0 2A / E0 AA wrap a cursor key.
    keyboardSends({0x1E, 0x1E, 0x9E, 0xE1, 0x1D, 0x45, 0xE1, 0x9D, 0xC5, 0xE0, 0x2A, 0xE0, 0x48, 0xE0, 0xC8, 0xE0,
                   0xAA});
    source_->readPort();
    EXPECT_EQ(passOn_.written,
              (Events{{EV_KEY, KEY_A, 1}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, KEY_A, 2}, {EV_SYN, SYN_REPORT, 0},
                      {EV_KEY, KEY_A, 0}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, KEY_PAUSE, 1}, {EV_SYN, SYN_REPORT, 0},
                      {EV_KEY, KEY_PAUSE, 0}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, KEY_UP, 1}, {EV_SYN, SYN_REPORT, 0},
                      {EV_KEY, KEY_UP, 0}, {EV_SYN, SYN_REPORT, 0}}));
    EXPECT_EQ(seen_[1], channel::keyData(0x1E, false) | channel::kPreviousStateBit);
}

TEST_F(SerioSource, RepliesAndKeysDuringAByteRequestAreKeptForTheSource) {
    SerioChannel channel(port_, 500ms);
    const std::uint8_t request[4] = {0xEF, 0x00, 0x41, 0x00};
    std::thread keyboard([this] {
        std::uint8_t byte = 0;
        if (::read(master_.get(), &byte, 1) == 1) {
            const std::uint8_t answer[] = {0x1E, 0x9E, 0xFA, 0x02, 0x82};  // a key press, the acknowledgement, a reply
            (void)!::write(master_.get(), answer, sizeof answer);
        }
    });
    keyboardSends({0x30, 0xB0});  // typed before the request
    EXPECT_TRUE(channel.driverRequest(0x000B0008, request));
    keyboard.join();
    std::this_thread::sleep_for(20ms);
    source_->readPort();
    EXPECT_EQ(seen_, (Keys{channel::keyData(0x30, false), channel::keyData(0x30, true), channel::keyData(0x1E, false),
                           channel::keyData(0x1E, true), channel::keyData(0x02, false), channel::keyData(0x02, true)}));
}

TEST_F(SerioSource, APortThatWentAwayIsSeenAsGone) {
    source_->readPort();
    EXPECT_FALSE(port_->gone()) << "nothing yet is no end";
    master_ = UniqueFd();  // the other end closes, as an unbound driver's port does
    source_->readPort();
    EXPECT_TRUE(port_->gone());
}

TEST(SerioPorts, OneProcessSharesOnePortPerPath) {
    int master = -1;
    int slave = -1;
    char name[128] = "";
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    UniqueFd keepMaster(master), keepSlave(slave);
    std::string error;
    std::shared_ptr<SerioPort> first = SerioPort::open(name, error);
    ASSERT_TRUE(first) << error;
    std::shared_ptr<SerioPort> second = SerioPort::open(name, error);
    ASSERT_TRUE(second) << error;
    EXPECT_EQ(second->descriptor(), first->descriptor()) << "one open descriptor of the port";
    EXPECT_FALSE(SerioPort::open("/dev/kbx-no-such-port", error));
    EXPECT_EQ(error, "/dev/kbx-no-such-port: No such file or directory");
}

}  // namespace
}  // namespace kbx::platform
