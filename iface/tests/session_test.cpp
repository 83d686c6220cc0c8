// The library's calls as the exports make them, over the process-wide state
// with recording transports and stand-in libraries.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "iface/session.h"
#include "iface/state.h"
#include "iface/tests/fake_libraries.h"
#include "iface/tests/scripted_link.h"
#include "platform/event_loop.h"
#include "tests/support/files.h"

namespace kbxi {
namespace {

using test::Bytes;

// Records every byte it is given under its route's name.
class RecordingTransport : public ByteTransport {
public:
    RecordingTransport(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    int sendFramed(std::uint8_t byte) override { return record("framed", byte); }
    int sendRaw(std::uint8_t byte) override { return record("raw", byte); }
    int answer = 0;

private:
    int record(const char* kind, std::uint8_t byte) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "%s %s %02X", name_.c_str(), kind, byte);
        log_.push_back(entry);
        return answer;
    }
    std::string name_;
    std::vector<std::string>& log_;
};

class SessionTest : public testing::Test {
protected:
    void SetUp() override {
        unsetenv("KBX_PLATFORM");
        kbx::platform::resetLoopForTests();
        resetStateForTests();
        state().functionLibrary.setSource(test::makeFakePointOfSale(), "libkbxfunc-test.so");
        state().usb = UsbLibrary(test::makeFakeUsb(), "libkbxusb-test.so");
        const char* names[kRouteCount] = {"serial", "device", "usb", "driver", "port"};
        for (std::size_t i = 0; i < kRouteCount; ++i) {
            transports_.push_back(std::make_unique<RecordingTransport>(names[i], log_));
            state().routes[i] = transports_.back().get();
        }
    }
    void TearDown() override {
        unsetenv("KBX_PLATFORM");
        resetStateForTests();
        kbx::platform::resetLoopForTests();
    }
    RecordingTransport& route(Route r) { return *transports_[std::size_t(r)]; }
    MessageBuffer buffer(const char* text) {
        std::snprintf(message_, sizeof message_, "%s", text);
        return MessageBuffer(message_, sizeof message_);
    }
    std::string message() const { return message_; }
    std::string writeImage(std::size_t length) {
        const Bytes image = test::imageOfLength(length);
        kbxtest::writeFile(dir_ / "image.kbx", std::string(image.begin(), image.end()));
        return (dir_ / "image.kbx").string();
    }

    std::vector<std::string> log_;
    std::vector<std::unique_ptr<RecordingTransport>> transports_;
    char message_[128] = "";
    kbxtest::TempDir dir_;
    test::RecordingNotifier notifier_;
};

// --- selection ---

TEST_F(SessionTest, AutomaticSelectionFollowsTheSystem) {
    struct Case {
        const char* platform;
        std::uint8_t selected;
    };
    for (const Case& c : {Case{nullptr, 3}, Case{"nt4", 2}, Case{"w95", 1}}) {
        if (c.platform) setenv("KBX_PLATFORM", c.platform, 1);
        else unsetenv("KBX_PLATFORM");
        EXPECT_EQ(selectInterface(state(), 0), 0);
        EXPECT_EQ(selectedInterface(state()), c.selected) << (c.platform ? c.platform : "unset");
    }
}

TEST_F(SessionTest, SelectorsOneToFourChooseTheirTransport) {
    for (std::uint8_t selector = 1; selector <= 4; ++selector) {
        EXPECT_EQ(selectInterface(state(), selector), 0);
        EXPECT_EQ(selectedInterface(state()), selector);
    }
}

TEST_F(SessionTest, UnknownSelectorLeavesNothingSelected) {
    selectInterface(state(), 2);
    EXPECT_EQ(selectInterface(state(), 7), 1);
    EXPECT_EQ(selectedInterface(state()), 0);
    // Still chosen, so nothing is selected automatically: the check has no
    // transport and fails, and the bytes go to the direct port.
    EXPECT_EQ(checkInterface(state()), 1);
    EXPECT_EQ(sendInterfaceByte(state(), 0x41), 0);
    EXPECT_EQ(log_, std::vector<std::string>{"port framed 41"});
}

TEST_F(SessionTest, CheckBeforeAnySelectionTouchesNothing) {
    EXPECT_EQ(checkInterface(state()), 1);
    EXPECT_TRUE(log_.empty());
    EXPECT_FALSE(state().selection.chosen);
}

TEST_F(SessionTest, ByteCallsSelectAutomatically) {
    EXPECT_EQ(sendDirectByte(state(), 0x10), 0);
    EXPECT_EQ(selectedInterface(state()), 3);
    EXPECT_EQ(log_, std::vector<std::string>{"driver raw 10"});
}

// --- dispatch ---

struct DispatchCase {
    const char* name;
    std::vector<PortTransport> flags;
    bool serial;
    const char* framed;
    const char* raw;
};

class Dispatch : public SessionTest, public testing::WithParamInterface<DispatchCase> {};

TEST_P(Dispatch, FirstSelectedTransportInEachOrderTakesTheByte) {
    state().selection.chosen = true;
    for (PortTransport flag : GetParam().flags) state().selection.set(flag);
    state().serialSelected = GetParam().serial;
    sendInterfaceByte(state(), 0x12);
    sendDirectByte(state(), 0x34);
    EXPECT_EQ(log_, (std::vector<std::string>{std::string(GetParam().framed) + " framed 12",
                                              std::string(GetParam().raw) + " raw 34"}));
}

using PT = PortTransport;
INSTANTIATE_TEST_SUITE_P(
    Orders, Dispatch,
    testing::Values(DispatchCase{"nothing", {}, false, "port", "port"},
                    DispatchCase{"directPort", {PT::directPort}, false, "port", "port"},
                    DispatchCase{"device", {PT::keyboardDevice}, false, "device", "device"},
                    DispatchCase{"driver", {PT::driver}, false, "driver", "driver"},
                    DispatchCase{"usb", {PT::usb}, false, "usb", "usb"},
                    DispatchCase{"serial", {}, true, "serial", "serial"},
                    DispatchCase{"serialAndUsb", {PT::usb}, true, "serial", "usb"},
                    DispatchCase{"usbAndDevice", {PT::usb, PT::keyboardDevice}, false, "device", "usb"},
                    DispatchCase{"usbAndDriver", {PT::usb, PT::driver}, false, "usb", "usb"},
                    DispatchCase{"deviceAndDriver", {PT::keyboardDevice, PT::driver}, false, "device", "driver"},
                    DispatchCase{"serialAndDriver", {PT::driver}, true, "serial", "serial"}),
    [](const testing::TestParamInfo<DispatchCase>& param) { return param.param.name; });

// --- link tests ---

TEST_F(SessionTest, LinkTestsGoByTheSelectedTransport) {
    selectInterface(state(), 3);
    EXPECT_EQ(checkInterface(state()), 0);  // the driver has no test
    EXPECT_EQ(echoCheck(state()), 0);
    selectInterface(state(), 2);
    EXPECT_EQ(checkInterface(state()), 1);  // no keyboard device answers the echo
    EXPECT_EQ(echoCheck(state()), 1);
    selectInterface(state(), 4);
    test::fakeUsb().checkResult = 7;
    EXPECT_EQ(checkInterface(state()), 7);
    EXPECT_EQ(echoCheck(state()), 0);  // the echo does not test USB
    EXPECT_EQ(test::fakeUsb().checks, 1);
}

TEST_F(SessionTest, DirectPortTestReadsTwoBytesThroughTheCapture) {
    selectInterface(state(), 1);
    test::fakePointOfSale().typing.push_back({test::typedCodes("12340A"), 6});
    EXPECT_EQ(checkInterface(state()), 0);
    EXPECT_EQ(test::fakePointOfSale().captures.at(0).count, 6);
    EXPECT_FALSE(state().functionLibrary.bound());
    EXPECT_EQ(checkInterface(state()), 0x12);  // nothing typed: time-out
}

TEST_F(SessionTest, DirectPortTestFailsWithoutThePointOfSaleLibrary) {
    state().functionLibrary.setSource(test::missingLibrary(), "none");
    selectInterface(state(), 1);
    EXPECT_EQ(checkInterface(state()), 1);
}

// --- file and command calls ---

TEST_F(SessionTest, DownloadWithoutPathIsRefusedBeforeTheInterfaceString) {
    EXPECT_EQ(refresh(state(), nullptr, buffer("XYZ"), 0, 0, nullptr), -1);
    EXPECT_EQ(message(), "no file specified");
    EXPECT_FALSE(state().selection.chosen);
}

TEST_F(SessionTest, UnknownInterfaceStopsTheCall) {
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("lpt1"), 0, 0, nullptr), -10);
    EXPECT_EQ(message(), "Unknown interface!");
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(upload(state(), nullptr, buffer("xyz"), nullptr), -10);  // the path is looked at later
}

TEST_F(SessionTest, NullMessageBufferIsAnUnknownInterface) {
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), MessageBuffer(), 0, 0, nullptr), -10);
    EXPECT_EQ(upload(state(), "x", MessageBuffer(), nullptr), -10);
}

TEST_F(SessionTest, DownloadGoesThroughTheSelectedTransport) {
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("AT"), 0, 0, nullptr), 302);
    EXPECT_EQ(message(), " 302 bytes sent");
    EXPECT_EQ(log_.front(), "driver framed EF");
    EXPECT_EQ(log_.back(), "driver raw F4");
}

TEST_F(SessionTest, KeyboardPortThatTakesNothingFailsTheDownload) {
    route(Route::driver).answer = 1;
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("at"), 0, 0, nullptr), -5);
    EXPECT_EQ(message(), "Download not possible (0x01)");
}

TEST_F(SessionTest, RequestedCheckRunsBeforeTheDownload) {
    selectInterface(state(), 4);
    test::fakeUsb().checkResult = 1;
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("AT CHECK"), 0, 0, nullptr), -5);
    EXPECT_EQ(message(), "download check failed (USB)");
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("AT"), 0, 0, nullptr), 302);
}

TEST_F(SessionTest, KeyboardDeviceCheckFailsWithItsText) {
    state().routes[std::size_t(Route::keyboardDevice)] = &state().keyboardDevice;
    selectInterface(state(), 2);
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("AT CHECK"), 0, 0, nullptr), -5);
    EXPECT_EQ(message(), "download check failed (NT4.0)");
}

TEST_F(SessionTest, UploadOverTheKeyboardPortWithoutThePointOfSaleLibrary) {
    state().functionLibrary.setSource(test::missingLibrary(), "none");
    const std::string target = (dir_ / "up.kbx").string();
    EXPECT_EQ(upload(state(), target.c_str(), buffer("AT"), nullptr), 0);
    EXPECT_EQ(message(), "Upload Error.\n");
    ASSERT_EQ(notifier_.boxes.size(), 1u);
    EXPECT_EQ(notifier_.boxes[0].text, "Unable to load KBXFUNC.DLL ");
}

TEST_F(SessionTest, UploadWithoutPathIsRefusedAfterTheInterfaceString) {
    EXPECT_EQ(upload(state(), nullptr, buffer("AT"), nullptr), -1);
    EXPECT_EQ(message(), " no file specified");
}

TEST_F(SessionTest, HeaderQueryThroughTheCapture) {
    // Bytes 0-6 and 7-13, each typed with its checksum.
    test::fakePointOfSale().typing.push_back({test::typedCodes("12345678010203" "2A"), 16});
    test::fakePointOfSale().typing.push_back({test::typedCodes("0405060708090A" "31"), 16});
    unsigned char header[8] = {};
    EXPECT_EQ(readKeyboardHeader(state(), header, buffer("AT")), 0);
    EXPECT_EQ(Bytes(header, header + 8), (Bytes{0x12, 0x34, 0x56, 0x78, 0x01, 0x02, 0x03, 0x04}));
    EXPECT_FALSE(state().functionLibrary.bound());
    EXPECT_EQ(readKeyboardHeader(state(), nullptr, buffer("AT")), 1);
}

TEST_F(SessionTest, RawCommandsOnlyWithUpperCaseAtZero) {
    unsigned char command[257] = {0xAA, 0xBB};
    int length = 2;
    EXPECT_EQ(sendCommandBytes(state(), &length, command, buffer("AT0")), 0);
    EXPECT_EQ(log_, (std::vector<std::string>{"driver raw AA", "driver raw BB"}));
    log_.clear();
    command[0] = 0xAA;
    length = 2;
    EXPECT_EQ(sendCommandBytes(state(), &length, command, buffer("at0")), 0);
    EXPECT_EQ(log_, (std::vector<std::string>{"driver framed AA", "driver framed BB"}));
}

TEST_F(SessionTest, CallsKeepNoBufferOfTheCaller) {
    refresh(state(), writeImage(302).c_str(), buffer("AT"), 0, 0, nullptr);
    EXPECT_FALSE(state().message.present());
}

// --- USB ---

TEST_F(SessionTest, UsbStringWithoutTheLibraryFails) {
    state().usb = UsbLibrary(test::missingLibrary(), "libkbxusb.so");
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("USB"), 0, 0, nullptr), -47);
    EXPECT_EQ(message(), "The USB library libkbxusb.so cannot be loaded");
}

TEST_F(SessionTest, UsbLibraryWithoutCloseIsNotBound) {
    state().usb = UsbLibrary(test::makeFakeUsb({"Close_USB"}), "usb");
    EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("USB"), 0, 0, nullptr), -47);
    EXPECT_EQ(message(), "The USB library usb has no Close_USB");
    EXPECT_EQ(test::fakeUsb().unloads, 1);
    EXPECT_FALSE(state().usb.bound());
}

TEST_F(SessionTest, EachDownloadOverUsbLoadsAndReleasesTheLibrary) {
    state().routes[std::size_t(Route::usb)] = &state().usb;
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(refresh(state(), writeImage(302).c_str(), buffer("usb"), 0, 0, nullptr), 302);
    EXPECT_EQ(test::fakeUsb().loads, 2);
    EXPECT_EQ(test::fakeUsb().closes, 2);
    EXPECT_EQ(test::fakeUsb().unloads, 2);
    // 19 frames of at most 16 bytes, the update and the enable byte.
    EXPECT_EQ(test::fakeUsb().sent.size(), 2 * (19 * 12 + 2 * 298 + 2 + 1));
}

TEST_F(SessionTest, ClosingUsbLoadsItFirstSoThatTheDeviceIsReleased) {
    EXPECT_EQ(closeUsb(state()), 0);
    EXPECT_EQ(test::fakeUsb().loads, 1);
    EXPECT_EQ(test::fakeUsb().closes, 1);
    EXPECT_EQ(test::fakeUsb().unloads, 1);
    state().usb = UsbLibrary(test::missingLibrary(), "none");
    EXPECT_EQ(closeUsb(state()), 0);
}

// --- timer ---

TEST_F(SessionTest, TimerProceduresStopTheSharedTimer) {
    for (auto proc : {timeoutTimerProc, uploadTimerProc}) {
        state().timer.restart(5, proc);
        ASSERT_TRUE(state().timer.running());
        EXPECT_TRUE(kbx::platform::runUntil([] { return !state().timer.running(); }, std::chrono::seconds(2)));
    }
}

}  // namespace
}  // namespace kbxi
