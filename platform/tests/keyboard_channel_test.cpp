// The keyboard channel's clients: the socket connection with its time-outs
// and limits, the simulated keyboard's requests on the wire, the choice of
// backend, and the raw PS/2 port's driver request.

#include "platform/keyboard_channel.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/channel_connection.h"
#include "platform/channel/serio_channel.h"
#include "tests/support/channel_test_server.h"

namespace kbx::platform {
namespace {

using namespace std::chrono_literals;
using channel::Kind;
using channel::Packet;
using channel::PacketWriter;
using test::ChannelTestServer;
using test::replyOf;

// Sets KBX_KEYBOARD for one test and puts the old value back.
class KeyboardVariable {
public:
    explicit KeyboardVariable(const char* value) {
        if (const char* old = std::getenv(kKeyboardVariable)) saved_ = old;
        if (value) {
            setenv(kKeyboardVariable, value, 1);
        } else {
            unsetenv(kKeyboardVariable);
        }
    }
    ~KeyboardVariable() {
        if (saved_) {
            setenv(kKeyboardVariable, saved_->c_str(), 1);
        } else {
            unsetenv(kKeyboardVariable);
        }
    }

private:
    std::optional<std::string> saved_;
};

// --- the connection ---

TEST(ChannelConnection, RequestsAreAnsweredInOrder) {
    ChannelTestServer server([](const Packet& request, bool&) -> std::optional<Packet> {
        return replyOf({std::uint8_t(request.size())});
    });
    std::string why;
    auto connection = ChannelConnection::connect(server.path(), why);
    ASSERT_NE(connection, nullptr);
    for (std::uint8_t length = 1; length < 5; ++length) {
        const auto reply = connection->request(Packet(length, 0x01));
        ASSERT_TRUE(reply.has_value());
        EXPECT_EQ(*reply, replyOf({length}));
    }
}

TEST(ChannelConnection, NothingListeningMeansNoConnection) {
    std::string why;
    EXPECT_EQ(ChannelConnection::connect("/tmp/kbx-no-such-socket-here", why), nullptr);
    EXPECT_EQ(ChannelConnection::connect("", why), nullptr);
    EXPECT_EQ(ChannelConnection::connect("/tmp/" + std::string(200, 'x'), why), nullptr);  // too long for an address
}

TEST(ChannelConnection, SilentKeyboardBreaksTheConnectionAfterTheTimeOut) {
    ChannelTestServer server([](const Packet&, bool&) -> std::optional<Packet> { return std::nullopt; });
    std::string why;
    auto connection = ChannelConnection::connect(server.path(), why, 100ms);
    ASSERT_NE(connection, nullptr);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(connection->request(Packet{0x01}).has_value());
    EXPECT_GE(std::chrono::steady_clock::now() - started, 100ms);
    EXPECT_TRUE(connection->broken());
    EXPECT_FALSE(connection->request(Packet{0x01}).has_value());
}

TEST(ChannelConnection, KeyboardThatHangsUpGivesFailuresNotASignal) {
    ChannelTestServer server([](const Packet&, bool& hangUp) -> std::optional<Packet> {
        hangUp = true;
        return std::nullopt;
    });
    std::string why;
    auto connection = ChannelConnection::connect(server.path(), why);
    ASSERT_NE(connection, nullptr);
    EXPECT_FALSE(connection->request(Packet{0x01}).has_value());
    // Writing into the closed socket again must not raise SIGPIPE.
    EXPECT_FALSE(connection->request(Packet{0x01}).has_value());
    EXPECT_TRUE(connection->broken());
}

TEST(ChannelConnection, OversizedPacketsAreRefusedBothWays) {
    ChannelTestServer server([](const Packet& request, bool&) -> std::optional<Packet> {
        if (request[0] == 0x02) return Packet(channel::kMaxPacket + 1, std::uint8_t(Kind::reply));
        return replyOf({0});
    });
    std::string why;
    auto connection = ChannelConnection::connect(server.path(), why);
    ASSERT_NE(connection, nullptr);
    EXPECT_FALSE(connection->request(Packet(channel::kMaxPacket + 1, 0x01)).has_value());
    EXPECT_FALSE(connection->broken());  // refused before it went out
    EXPECT_TRUE(connection->request(Packet{0x01}).has_value());
    EXPECT_FALSE(connection->request(Packet{0x02}).has_value());
    EXPECT_TRUE(connection->broken());
}

TEST(ChannelConnection, KeyEventsBetweenRequestsArePassedOverButOtherPacketsBreakIt) {
    ChannelTestServer server([](const Packet& request, bool&) -> std::optional<Packet> {
        if (request[0] == 0x02) return Packet{0x42, 0x00};
        return replyOf({7});
    });
    std::string why;
    auto connection = ChannelConnection::connect(server.path(), why);
    ASSERT_NE(connection, nullptr);
    ASSERT_TRUE(connection->request(Packet{0x01}).has_value());  // connected and served
    server.sendToAll(PacketWriter(Kind::keyEvent).u32(channel::keyData(0x1E, false)).take());
    EXPECT_EQ(connection->request(Packet{0x01}), replyOf({7}));
    EXPECT_FALSE(connection->request(Packet{0x02}).has_value());
}

// --- the simulated keyboard's requests ---

class SimulatedKeyboardRequests : public testing::Test {
protected:
    std::optional<Packet> answer(const Packet& request) {
        switch (Kind(request[0])) {
            case Kind::portRead: return replyOf({0x1D});
            case Kind::portWrite: return replyOf({0});
            case Kind::deviceControl: return deviceReply;
            case Kind::driverRequest: return replyOf({driverOk});
            default: return std::nullopt;
        }
    }

    Packet deviceReply = replyOf({1, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE});
    std::uint8_t driverOk = 1;
    std::unique_ptr<ChannelTestServer> server_ =
        std::make_unique<ChannelTestServer>([this](const Packet& request, bool&) { return answer(request); });
    KeyboardVariable variable_{server_->variable().c_str()};
    std::unique_ptr<KeyboardChannel> channel_ = openKeyboardChannel();
};

TEST_F(SimulatedKeyboardRequests, PortsTravelAsLittleEndianRequests) {
    ASSERT_NE(channel_, nullptr);
    EXPECT_EQ(channel_->readPort(0x64), 0x1D);
    EXPECT_TRUE(channel_->writePort(0x60, 0xED));
    const auto requests = server_->requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], (Packet{0x01, 0x64, 0x00}));
    EXPECT_EQ(requests[1], (Packet{0x02, 0x60, 0x00, 0xED}));
}

TEST_F(SimulatedKeyboardRequests, DeviceControlCarriesCodeSizeAndInputAndGivesExactlyTheOutputSize) {
    ASSERT_NE(channel_, nullptr);
    const std::uint8_t input[] = {0x41};
    EXPECT_EQ(channel_->deviceControl(0x000B4000, input, 1), (std::vector<std::uint8_t>{0xAA}));
    EXPECT_EQ(server_->requests().back(), (Packet{0x03, 0x00, 0x40, 0x0B, 0x00, 0x01, 0x00, 0x00, 0x00, 0x41}));
    EXPECT_EQ(channel_->deviceControl(0x000B0400, {}, 4), (std::vector<std::uint8_t>{0xAA, 0xBB, 0xCC, 0xDD}));
    // A short output is filled up with zeros.
    deviceReply = replyOf({1, 0x05});
    EXPECT_EQ(channel_->deviceControl(0x000B0400, {}, 4), (std::vector<std::uint8_t>{0x05, 0, 0, 0}));
    // A refused request leaves the output as preset.
    deviceReply = replyOf({0, 0x05});
    EXPECT_EQ(channel_->deviceControl(0x000B0400, {}, 4), (std::vector<std::uint8_t>(4, 0)));
    // An output that cannot come back in one packet is not asked for.
    EXPECT_FALSE(channel_->deviceControl(0x000B0400, {}, channel::kMaxPacket).has_value());
}

TEST_F(SimulatedKeyboardRequests, DriverRequestSucceedsOnlyWhenTheKeyboardSaysSo) {
    ASSERT_NE(channel_, nullptr);
    const std::uint8_t input[] = {0xEF, 0x00, 0x41, 0x00};
    EXPECT_TRUE(channel_->driverRequest(0x000B0008, input));
    EXPECT_EQ(server_->requests().back(), (Packet{0x04, 0x08, 0x00, 0x0B, 0x00, 0xEF, 0x00, 0x41, 0x00}));
    driverOk = 0;
    EXPECT_FALSE(channel_->driverRequest(0x000B0008, input));
}

TEST_F(SimulatedKeyboardRequests, EveryFacilityFailsOnceTheKeyboardIsGone) {
    ASSERT_NE(channel_, nullptr);
    deviceReply = Packet{};  // malformed: no ok byte
    EXPECT_FALSE(channel_->deviceControl(0x000B0400, {}, 4).has_value());
    server_.reset();
    EXPECT_FALSE(channel_->readPort(0x64).has_value());
    EXPECT_FALSE(channel_->writePort(0x60, 0));
    EXPECT_FALSE(channel_->driverRequest(0x000B0008, {}));
}

// --- choosing the backend ---

TEST(KeyboardChannelChoice, NamesWithoutABackendOpenNothing) {
    for (const char* value : {static_cast<const char*>(nullptr), "", "sim:", "serio:", "tcp:localhost", "SIM:/x"}) {
        KeyboardVariable variable(value);
        EXPECT_EQ(openKeyboardChannel(), nullptr) << (value ? value : "(unset)");
    }
    KeyboardVariable nobody("sim:/tmp/kbx-no-such-socket-here");
    EXPECT_EQ(openKeyboardChannel(), nullptr);
    KeyboardVariable noPort("serio:/dev/kbx-no-such-port");
    EXPECT_EQ(openKeyboardChannel(), nullptr);
}

TEST(KeyboardChannelChoice, AChannelThatCannotBeOpenedSaysWhichAndWhy) {
    std::string why;
    {
        KeyboardVariable nobody("sim:/tmp/kbx-no-such-socket-here");
        EXPECT_EQ(openKeyboardChannel(why), nullptr);
        EXPECT_EQ(why, "KBX_KEYBOARD: /tmp/kbx-no-such-socket-here: No such file or directory");
    }
    {
        KeyboardVariable noPort("serio:/dev/kbx-no-such-port");
        EXPECT_EQ(openKeyboardChannel(why), nullptr);
        EXPECT_EQ(why, "KBX_KEYBOARD: /dev/kbx-no-such-port: No such file or directory");
    }
    {
        KeyboardVariable unknown("lpt:1");
        EXPECT_EQ(openKeyboardChannel(why), nullptr);
        EXPECT_EQ(why, "KBX_KEYBOARD: unknown keyboard channel \"lpt:1\"");
    }
}

TEST(KeyboardChannelChoice, SimulatedKeyboardPathIsWhatFollowsTheSimPrefix) {
    EXPECT_EQ(simulatedKeyboardPath("sim:/run/kbx.sock"), "/run/kbx.sock");
    EXPECT_EQ(simulatedKeyboardPath("sim:"), std::nullopt);
    EXPECT_EQ(simulatedKeyboardPath("serio:/dev/serio_raw0"), std::nullopt);
    EXPECT_EQ(simulatedKeyboardPath(nullptr), std::nullopt);
}

// --- the raw PS/2 port ---

// A pseudo-terminal in raw mode stands in for the raw port: the test plays
// the keyboard at the master end.
class RawPort : public testing::Test {
protected:
    void SetUp() override {
        int master = -1;
        int slave = -1;
        char name[128] = "";
        ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        master_ = UniqueFd(master);
        slave_ = UniqueFd(slave);
        termios raw{};
        ::tcgetattr(slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave, TCSANOW, &raw);
        path_ = name;
    }

    // The keyboard answers the next byte it receives with `answers`.
    std::thread keyboardAnswers(std::vector<std::uint8_t> answers) {
        return std::thread([this, answers] {
            std::uint8_t byte = 0;
            if (::read(master_.get(), &byte, 1) == 1) received_ = byte;
            if (!answers.empty()) (void)!::write(master_.get(), answers.data(), answers.size());
        });
    }

    UniqueFd master_;
    UniqueFd slave_;
    std::string path_;
    std::optional<std::uint8_t> received_;
    const std::uint8_t request_[4] = {0xEF, 0x00, 0x41, 0x00};
};

TEST_F(RawPort, ByteOfTheSecondWordGoesOutAndAnAcknowledgementSucceeds) {
    auto port = SerioChannel::open(path_, 500ms);
    ASSERT_NE(port, nullptr);
    std::thread keyboard = keyboardAnswers({0x1E, 0xFA});  // a key press comes first
    EXPECT_TRUE(port->driverRequest(0x000B0008, request_));
    keyboard.join();
    EXPECT_EQ(received_, 0x41);
}

TEST_F(RawPort, ResendOrSilenceFails) {
    auto port = SerioChannel::open(path_, 200ms);
    ASSERT_NE(port, nullptr);
    std::thread resend = keyboardAnswers({0xFE});
    EXPECT_FALSE(port->driverRequest(0x000B0008, request_));
    resend.join();
    std::thread silent = keyboardAnswers({});
    EXPECT_FALSE(port->driverRequest(0x000B0008, request_));
    silent.join();
}

TEST_F(RawPort, AnswersLeftFromBeforeAreNotTakenForTheRequestsAndOtherFacilitiesAreMissing) {
    auto port = SerioChannel::open(path_, 200ms);
    ASSERT_NE(port, nullptr);
    const std::uint8_t stale = 0xFA;
    ASSERT_EQ(::write(master_.get(), &stale, 1), 1);
    std::this_thread::sleep_for(20ms);
    std::thread silent = keyboardAnswers({});
    EXPECT_FALSE(port->driverRequest(0x000B0008, request_));
    silent.join();
    EXPECT_FALSE(port->driverRequest(0x000B0008, std::span<const std::uint8_t>(request_, 2)));
    EXPECT_FALSE(port->readPort(0x64).has_value());
    EXPECT_FALSE(port->writePort(0x60, 0));
    EXPECT_FALSE(port->deviceControl(0x000B0400, {}, 4).has_value());
}

}  // namespace
}  // namespace kbx::platform
