// The serial path end to end: the library's calls over a pseudo-terminal
// whose other end is the simulated keyboard.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "iface/session.h"
#include "iface/state.h"
#include "iface/tests/fake_libraries.h"
#include "iface/tests/scripted_link.h"
#include "kbxsim/simulator.h"
#include "platform/event_loop.h"
#include "tests/support/files.h"

namespace kbxi {
namespace {

using test::Bytes;

kbxsim::SimulatorOptions linkedAt(const std::filesystem::path& link) {
    kbxsim::SimulatorOptions options;
    options.link = link;
    return options;
}

class ComPortSession : public testing::Test {
protected:
    void SetUp() override {
        resetStateForTests();
        // Nothing may be bound over the serial port: a binding would fail.
        state().functionLibrary.setSource(test::missingLibrary(), "none");
        setenv("KBX_COM1", keyboard_.portPath().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("KBX_COM1");
        resetStateForTests();
    }
    MessageBuffer buffer(const char* text) {
        std::snprintf(message_, sizeof message_, "%s", text);
        return MessageBuffer(message_, sizeof message_);
    }
    std::string message() const { return message_; }
    std::string writeImage(const Bytes& image) {
        kbxtest::writeFile(dir_ / "image.kbx", std::string(image.begin(), image.end()));
        return (dir_ / "image.kbx").string();
    }

    kbxtest::TempDir dir_;
    kbxsim::Simulator keyboard_{linkedAt(dir_ / "ttyKBX")};
    char message_[128] = "";
    test::RecordingNotifier notifier_;
};

TEST_F(ComPortSession, DownloadWritesTheImageIntoTheKeyboard) {
    const Bytes image = test::imageOfLength(700);
    EXPECT_EQ(refresh(state(), writeImage(image).c_str(), buffer("COM1:9600,O,8"), 0, 0, nullptr), 700);
    EXPECT_EQ(message(), " 700 bytes sent");
    EXPECT_EQ(keyboard_.memory(4, 696), Bytes(image.begin() + 4, image.end()));
    EXPECT_EQ(keyboard_.counters().checksumUpdates, 1u);
    EXPECT_EQ(keyboard_.counters().enables, 1u);
    // The port was closed, and with it the serial selection ended.
    EXPECT_FALSE(state().serialPort.isOpen());
    EXPECT_FALSE(state().serialSelected);
    EXPECT_TRUE(notifier_.boxes.empty());
}

TEST_F(ComPortSession, SettingsAreFoundByTheEchoWhenNoneAreGiven) {
    const Bytes image = test::imageOfLength(302);
    EXPECT_EQ(refresh(state(), writeImage(image).c_str(), buffer("com1"), 0, 0, nullptr), 302);
    EXPECT_EQ(keyboard_.memory(4, 298), Bytes(image.begin() + 4, image.end()));
}

TEST_F(ComPortSession, UploadReadsTheImageBack) {
    const Bytes image = test::imageOfLength(317);
    keyboard_.place(4, std::span(image).subspan(4));
    const std::string target = (dir_ / "up.kbx").string();
    EXPECT_EQ(upload(state(), target.c_str(), buffer("COM1:9600,O,8"), nullptr), 317);
    EXPECT_EQ(kbxtest::readBytes(target), image);
}

TEST_F(ComPortSession, HeaderQueryShowsTheIdentification) {
    const Bytes image = test::imageOfLength(317);
    keyboard_.place(4, std::span(image).subspan(4));
    unsigned char header[8] = {};
    EXPECT_EQ(readKeyboardHeader(state(), header, buffer("COM1:9600,O,8")), 0);
    const Bytes memory = keyboard_.memory(0, 8);
    EXPECT_EQ(Bytes(header, header + 8), memory);
    EXPECT_EQ(keyboard_.counters().readFrames, 2u);
}

TEST_F(ComPortSession, DamagedRepliesEndTheUploadAfterFiveAttempts) {
    keyboard_.corruptReplies({kbxsim::ReplyDamage::wrongChecksumLow, 0}, kbxsim::FaultPlan::kEveryReply);
    const std::string target = (dir_ / "up.kbx").string();
    EXPECT_EQ(upload(state(), target.c_str(), buffer("COM1:9600,O,8"), nullptr), -4);
    EXPECT_EQ(message(), " Upload Error (04)");
    EXPECT_EQ(keyboard_.counters().readFrames, 5u);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(ComPortSession, RefusedBytesFailTheDownloadWithTheSerialCode) {
    keyboard_.refuseEveryByte();
    EXPECT_EQ(refresh(state(), writeImage(test::imageOfLength(302)).c_str(), buffer("COM1:9600,O,8"), 0, 0, nullptr),
              -5);
    EXPECT_EQ(message(), "Download not possible (0x95)");
    EXPECT_EQ(keyboard_.counters().framesStarted, 12u);
}

TEST_F(ComPortSession, MissingPortIsASetUpCode) {
    setenv("KBX_COM1", (dir_ / "no-such-tty").c_str(), 1);
    EXPECT_EQ(refresh(state(), writeImage(test::imageOfLength(302)).c_str(), buffer("COM1:9600,O,8"), 0, 0, nullptr),
              -31);
    EXPECT_EQ(message(), "Can't open COM1.");
}

TEST_F(ComPortSession, KeyboardPortCallAfterASerialCallDoesNotUseTheClosedPort) {
    ASSERT_EQ(refresh(state(), writeImage(test::imageOfLength(302)).c_str(), buffer("COM1:9600,O,8"), 0, 0, nullptr),
              302);
    const std::uint64_t received = keyboard_.counters().bytesReceived;
    // The keyboard port has no device here: the byte is not taken (1), and
    // the serial keyboard sees nothing.
    EXPECT_EQ(sendInterfaceByte(state(), 0x41), 1);
    EXPECT_EQ(keyboard_.counters().bytesReceived, received);
}

}  // namespace
}  // namespace kbxi
