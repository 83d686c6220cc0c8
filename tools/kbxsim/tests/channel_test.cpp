// The keyboard channel of an in-process simulated keyboard, reached over its
// socket as the libraries reach it: the keyboard device, the driver device,
// USB, the event connections and what travels on them.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <thread>
#include <vector>

#include "kbxsim/simulator.h"
#include "platform/channel_protocol.h"
#include "tools/kbxsim/tests/channel_client.h"
#include "tools/kbxsim/tests/frames.h"
#include "tools/kbxsim/transports/keyboard_controller.h"
#include "tools/kbxsim/transports/keyboard_device.h"

namespace kbxsim::test {
namespace {

namespace channel = kbx::platform::channel;

constexpr std::array<std::uint8_t, 0> kNoInput{};

// The reply characters of the capture read, by make code.
char replyCharacter(std::uint8_t code) {
    constexpr std::string_view kCharacters = "1234567890";
    if (code >= 0x02 && code <= 0x0B) return kCharacters[code - 0x02];
    constexpr std::array<std::pair<std::uint8_t, char>, 6> kLetters{
        {{0x1E, 'A'}, {0x30, 'B'}, {0x2E, 'C'}, {0x20, 'D'}, {0x12, 'E'}, {0x21, 'F'}}};
    for (const auto& [make, letter] : kLetters) {
        if (make == code) return letter;
    }
    return '?';
}

std::string replyTextOf(const std::vector<std::uint32_t>& events) {
    std::string text;
    for (const std::uint8_t code : madeCodes(events)) text.push_back(replyCharacter(code));
    return text;
}

// The keyboard device's send as the library does it: capture, send, then the
// answers from the queue.
std::vector<std::uint8_t> sendThroughDevice(ChannelClient& client, std::uint8_t byte) {
    client.deviceControl(kCaptureCode, kNoInput, 1);
    const std::array<std::uint8_t, 1> input{byte};
    EXPECT_EQ(client.deviceControl(kSendByteCode, input, 1).front(), 1);
    std::vector<std::uint8_t> answers;
    for (;;) {
        const Packet available = client.deviceControl(kAvailableCode, kNoInput, 4);
        if (available.size() != 5 || (available[1] | available[2] | available[3] | available[4]) == 0) break;
        const Packet next = client.deviceControl(kGetCode, kNoInput, 1);
        answers.push_back(next.at(1));
    }
    client.deviceControl(kClearCode, kNoInput, 1);
    client.deviceControl(kReleaseCode, kNoInput, 1);
    return answers;
}

std::array<std::uint8_t, 4> driverInput(std::uint8_t byte) { return {0xEF, 0x00, byte, 0x00}; }

TEST(KeyboardChannel, DeviceQueuesAnswersWhileCapturedAndTypesTheReply) {
    Simulator keyboard;
    keyboard.place(0x30, Bytes{0x9C, 0x05});
    ChannelClient requests(keyboard.channelPath());
    ChannelClient events(keyboard.channelPath());
    events.subscribe();

    for (const std::uint8_t byte : readFrame(0x0030, 2)) {
        EXPECT_EQ(sendThroughDevice(requests, byte), std::vector<std::uint8_t>{kAcknowledge});
    }
    const auto typed = events.events(12);
    ASSERT_EQ(typed.size(), 12u) << "a make and a break for each of six characters";
    EXPECT_EQ(replyTextOf(typed), "9C051A");
    EXPECT_EQ(typed[1], channel::keyData(0x0A, true)) << "the break follows its make";
    EXPECT_EQ(sendThroughDevice(requests, kEcho), std::vector<std::uint8_t>{kEcho});
}

TEST(KeyboardChannel, DeviceAnswersTheEchoWithoutCapture) {
    Simulator keyboard;
    ChannelClient client(keyboard.channelPath());
    const std::array<std::uint8_t, 1> input{kEcho};
    EXPECT_EQ(client.deviceControl(kSendByteCode, input, 1).front(), 1);
    EXPECT_EQ(client.deviceControl(kAvailableCode, kNoInput, 4), (Packet{1, 1, 0, 0, 0}));
    EXPECT_EQ(client.deviceControl(kGetCode, kNoInput, 1), (Packet{1, kEcho}));
    EXPECT_EQ(client.deviceControl(kAvailableCode, kNoInput, 4), (Packet{1, 0, 0, 0, 0}));
    EXPECT_EQ(client.deviceControl(kSendByteCode, input, 1).front(), 1);
    client.deviceControl(kClearCode, kNoInput, 1);
    EXPECT_EQ(client.deviceControl(kAvailableCode, kNoInput, 4), (Packet{1, 0, 0, 0, 0})) << "clear empties the queue";
    EXPECT_EQ(client.deviceControl(0x000B9999, kNoInput, 1), (Packet{0, 0})) << "an unknown code is not ok";
    EXPECT_EQ(client.deviceControl(kSendByteCode, kNoInput, 1).front(), 0) << "a send without its byte";
}

TEST(KeyboardChannel, DeviceSeesRefusalsAsResend) {
    Simulator keyboard;
    keyboard.refuseEveryByte();
    ChannelClient client(keyboard.channelPath());
    EXPECT_EQ(sendThroughDevice(client, 0xEF), std::vector<std::uint8_t>{kRefuse});
    keyboard.clearFaults();
    keyboard.goSilent(1, 1);
    EXPECT_TRUE(sendThroughDevice(client, 0xEF).empty());
}

TEST(KeyboardChannel, DriverRequestIsOkWhenTheKeyboardTookTheByte) {
    Simulator keyboard;
    ChannelClient client(keyboard.channelPath());
    for (const std::uint8_t byte : writeFrame(0x0040, {0x77})) {
        EXPECT_TRUE(client.driverRequest(kDriverSendCode, driverInput(byte)));
    }
    EXPECT_EQ(keyboard.memory(0x40, 1), Bytes{0x77});

    keyboard.refuseBytes(1);
    EXPECT_FALSE(client.driverRequest(kDriverSendCode, driverInput(0xEF)));
    const std::array<std::uint8_t, 4> wrongMark{0xEE, 0x00, 0xF4, 0x00};
    EXPECT_FALSE(client.driverRequest(kDriverSendCode, wrongMark));
    EXPECT_FALSE(client.driverRequest(0x000B0004, driverInput(kEnable)));
    EXPECT_EQ(keyboard.counters().enables, 0u);
}

TEST(KeyboardChannel, DisplayAndCommandsArriveOverTheDriver) {
    SimulatorOptions options;
    options.displayColumns = 8;
    Simulator keyboard(options);
    ChannelClient client(keyboard.channelPath());
    for (const std::uint8_t byte : Bytes{0xEC, 0xC9, 0x43, 'O', 'K', 0x00, 0xEF, 0x36, 0x03}) {
        EXPECT_TRUE(client.driverRequest(kDriverSendCode, driverInput(byte)));
    }
    EXPECT_EQ(keyboard.displayScreen(), (std::vector<std::string>{"        ", "   OK   "}));
    EXPECT_EQ(keyboard.displayBytes(), (Bytes{0xEC, 0xC9, 0x43, 'O', 'K', 0x00}));
    ASSERT_EQ(keyboard.commandLog().size(), 1u);
    EXPECT_EQ(describe(keyboard.commandLog()[0]), "EF 36 card reader tracks 03");
}

TEST(KeyboardChannel, UsbSendsChecksAndCloses) {
    Simulator keyboard;
    ChannelClient client(keyboard.channelPath());
    EXPECT_EQ(client.usbCheck(), 0);
    for (const std::uint8_t byte : writeFrame(0x0050, {0x01, 0x02})) EXPECT_EQ(client.usbSend(byte), 0);
    EXPECT_EQ(keyboard.memory(0x50, 2), (Bytes{0x01, 0x02}));

    keyboard.goSilent(1);
    EXPECT_EQ(client.usbCheck(), 1);
    EXPECT_EQ(client.usbSend(kEnable), 1);
    keyboard.clearFaults();
    keyboard.refuseBytes(1, 1);
    EXPECT_EQ(client.usbCheck(), 0) << "one refused byte leaves the keyboard reachable";
    EXPECT_EQ(client.usbSend(kEnable), 1);

    ASSERT_TRUE(client.request(channel::PacketWriter(channel::Kind::usbClose).take()));
    EXPECT_EQ(keyboard.channelCounters().usbCloses, 1u);
}

TEST(KeyboardChannel, EveryEventConnectionHearsTheTypingAndPassesOnToTheDesktop) {
    Simulator keyboard;
    ChannelClient first(keyboard.channelPath());
    ChannelClient second(keyboard.channelPath());
    first.subscribe();
    second.subscribe();
    keyboard.barcode("12");
    const auto heard = first.events(8);
    EXPECT_EQ(madeCodes(heard), (std::vector<std::uint8_t>{0x65, 0x02, 0x03, 0x65}));
    EXPECT_EQ(second.events(8), heard);

    first.passOn(heard[2]);
    first.passOn(heard[3]);
    for (int i = 0; i < 100 && keyboard.desktopInput().size() < 2; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(keyboard.desktopInput(), (std::vector<std::uint32_t>{heard[2], heard[3]}));
}

TEST(KeyboardChannel, ModuleInputWaitsForTheFirstListener) {
    Simulator keyboard;
    keyboard.keylock("2");
    std::this_thread::sleep_for(50ms);
    ChannelClient late(keyboard.channelPath());
    late.subscribe();
    EXPECT_EQ(madeCodes(late.events(6)), (std::vector<std::uint8_t>{0x66, 0x03, 0x66}));
    EXPECT_EQ(keyboard.channelCounters().eventsLost, 0u);
}

TEST(KeyboardChannel, ReplyTextWithoutListenerIsLost) {
    Simulator keyboard;
    ChannelClient client(keyboard.channelPath());
    for (const std::uint8_t byte : readFrame(0x0000, 1)) client.usbSend(byte);
    for (int i = 0; i < 100 && keyboard.channelCounters().eventsLost == 0; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(keyboard.channelCounters().eventsLost, 8u);
    ChannelClient listener(keyboard.channelPath());
    listener.subscribe();
    EXPECT_TRUE(listener.events(1, 200ms).empty()) << "an old reply is not typed to a later listener";
}

TEST(KeyboardChannel, CorruptReplyIsTypedAsItIs) {
    Simulator keyboard;
    keyboard.corruptReplies(ReplyCorruption{ReplyDamage::nul, 1});
    ChannelClient requests(keyboard.channelPath());
    ChannelClient events(keyboard.channelPath());
    events.subscribe();
    for (const std::uint8_t byte : readFrame(0x0000, 1)) requests.usbSend(byte);
    EXPECT_EQ(madeCodes(events.events(8)), (std::vector<std::uint8_t>{0x06, 0x00, 0x0B, 0x30}))
        << "identification 56 and checksum 0B, spoilt to 5<NUL>0B: keys 5, code 0, 0, B";
}

TEST(KeyboardChannel, MalformedRequestClosesOnlyItsConnection) {
    Simulator keyboard;
    ChannelClient bad(keyboard.channelPath());
    ChannelClient good(keyboard.channelPath());
    bad.sendOnly(Packet{static_cast<std::uint8_t>(channel::Kind::portWrite), 0x60});
    EXPECT_TRUE(bad.closedByKeyboard());
    EXPECT_EQ(good.usbSend(kEnable), 0);
    EXPECT_EQ(keyboard.channelCounters().badRequests, 1u);
}

TEST(KeyboardChannel, ControllerPortsAreServed) {
    Simulator keyboard;
    ChannelClient client(keyboard.channelPath());
    client.writePort(kDataPort, kEnable);
    EXPECT_EQ(client.readPort(kStatusPort) & kOutputFullBit, kOutputFullBit);
    EXPECT_EQ(client.readPort(kDataPort), kAcknowledge);
    EXPECT_EQ(client.readPort(0x61), 0xFF);
}

TEST(KeyboardChannel, SocketIsRemovedWithTheKeyboard) {
    std::filesystem::path path;
    {
        Simulator keyboard;
        path = keyboard.channelPath();
        EXPECT_TRUE(std::filesystem::is_socket(path));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace kbxsim::test
