// The serial port over a pseudo-terminal: the test plays the keyboard on the
// master side, the port under test opens the slave as COM1.

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "iface/message_buffer.h"
#include "iface/transports/serial_line.h"
#include "iface/transports/serial_port.h"
#include "platform/notifier.h"
#include "tests/support/files.h"

namespace kbxi {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint8_t kEcho = 0xEE;
constexpr std::uint8_t kAcknowledgement = 0xFA;
constexpr std::uint8_t kRefusal = 0xFE;

milliseconds since(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

// A pseudo-terminal pair; the slave is the keyboard's serial port.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            throw std::runtime_error("no pseudo-terminal");
        slavePath_ = ::ptsname(master_);
    }
    ~PseudoTerminal() { hangUp(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

    // The slave's line as the master sees it.
    termios line() const {
        termios settings{};
        ::tcgetattr(master_, &settings);
        return settings;
    }

    void send(const Bytes& bytes) const {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }

    // The keyboard goes away: the master closes.
    void hangUp() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string slavePath_;
};

// What the keyboard answers to a byte it receives, given the line it sees.
using Answer = std::function<Bytes(std::uint8_t received, const termios& line)>;

// A keyboard on the master side, answering every byte from its own thread.
class ScriptedKeyboard {
public:
    ScriptedKeyboard(const PseudoTerminal& pty, Answer answer)
        : master_(pty.master()), answer_(std::move(answer)), thread_([this] { run(); }) {}
    ~ScriptedKeyboard() {
        stop_ = true;
        thread_.join();
    }
    ScriptedKeyboard(const ScriptedKeyboard&) = delete;
    ScriptedKeyboard& operator=(const ScriptedKeyboard&) = delete;

    Bytes received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    void run() {
        while (!stop_) {
            pollfd watch{master_, POLLIN, 0};
            std::uint8_t bytes[64];
            const bool readable = ::poll(&watch, 1, 10) > 0 && (watch.revents & POLLIN);
            const ssize_t got = readable ? ::read(master_, bytes, sizeof bytes) : 0;
            if (got <= 0) {
                // Between two opens no slave is open and the master reports a
                // hang-up; wait for the next open.
                if (watch.revents & POLLHUP) std::this_thread::sleep_for(milliseconds{2});
                continue;
            }
            const termios line = [this] {
                termios settings{};
                ::tcgetattr(master_, &settings);
                return settings;
            }();
            for (ssize_t i = 0; i < got; ++i) {
                {
                    std::lock_guard lock(mutex_);
                    received_.push_back(bytes[i]);
                }
                const Bytes reply = answer_(bytes[i], line);
                if (!reply.empty()) (void)!::write(master_, reply.data(), reply.size());
            }
        }
    }

    int master_;
    Answer answer_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    Bytes received_;
    std::thread thread_;
};

Answer always(Bytes reply) {
    return [reply](std::uint8_t, const termios&) { return reply; };
}

// Echoes 0xEE only on one line setting; on any other the echo arrives as
// three bytes of noise.
Answer echoOnlyAt(speed_t speed, bool oddParity) {
    return [speed, oddParity](std::uint8_t received, const termios& line) -> Bytes {
        if (received != kEcho) return {};
        const bool matches = ::cfgetospeed(&line) == speed && ((line.c_cflag & PARODD) != 0) == oddParity;
        return matches ? Bytes{kEcho} : Bytes{0x00, 0x55, 0xAA};
    };
}

std::size_t echoesIn(const Bytes& received) {
    std::size_t count = 0;
    for (std::uint8_t byte : received) count += byte == kEcho;
    return count;
}

class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* previous = std::getenv(name)) previous_ = previous;
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (previous_) ::setenv(name_, previous_->c_str(), 1);
        else ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

struct ShownBox {
    std::string text;
    std::string title;
    kbx::platform::Buttons buttons;
};

class RecordingNotifier : public kbx::platform::Notifier {
public:
    RecordingNotifier() { kbx::platform::setNotifier(this); }
    ~RecordingNotifier() override { kbx::platform::setNotifier(nullptr); }
    kbx::platform::Answer show(std::string_view text, std::string_view title,
                               kbx::platform::Buttons buttons) override {
        shown.push_back({std::string(text), std::string(title), buttons});
        return kbx::platform::Answer::ok;
    }
    std::vector<ShownBox> shown;
};

class SerialPortTest : public ::testing::Test {
protected:
    std::string text() const { return std::string(message.text()); }

    // Holds the slave open beside the port and stops its output, so that
    // nothing the port writes can leave.
    int stopOutput() {
        const int other = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
        EXPECT_GE(other, 0);
        EXPECT_EQ(::tcflow(other, TCOOFF), 0);
        return other;
    }

    PseudoTerminal pty;
    ScopedVariable device{"KBX_COM1", pty.slavePath().c_str()};
    char buffer[128] = {};
    MessageBuffer message{buffer, sizeof buffer};
    SerialPort port;
};

// ---- opening with a settings text -----------------------------------------

TEST_F(SerialPortTest, OpensWithTheGivenSettingsAndReportsThem) {
    ASSERT_EQ(port.open(serialRequest("COM1:19200,N,7"), message), 0);
    EXPECT_EQ(text(), "COM1: 19200, N, 7");
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.settings(), (LineSettings{19200, 'N', 7}));
    const termios line = pty.line();
    EXPECT_EQ(::cfgetospeed(&line), speed_t(B19200));
    EXPECT_EQ(line.c_cflag & PARODD, 0u);
    EXPECT_EQ(line.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF), 0u);
}

// A pseudo-terminal has no serial driver settings: TIOCGSERIAL fails with
// ENOTTY there (drivers/tty/tty_io.c, tty_tiocgserial), so the port asks for
// low latency, is refused, and opens all the same.
TEST_F(SerialPortTest, ALineWithoutSerialDriverSettingsOpensWithoutLowLatency) {
    const int other = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    EXPECT_FALSE(serial_line::requestLowLatency(other));
    EXPECT_EQ(errno, ENOTTY);
    ::close(other);
    ASSERT_EQ(port.open(serialRequest("COM1:9600,O,8"), message), 0);
    EXPECT_EQ(port.close(message), 0);
}

// The low-latency flag of a real serial driver as another descriptor sees
// it; nothing where the device cannot be opened or keeps no such settings.
std::optional<bool> lowLatencyOf(int observer) {
    serial_struct serial{};
    if (::ioctl(observer, TIOCGSERIAL, &serial) != 0) return std::nullopt;
    return (serial.flags & ASYNC_LOW_LATENCY) != 0;
}

void setLowLatency(int observer, bool on) {
    serial_struct serial{};
    ASSERT_EQ(::ioctl(observer, TIOCGSERIAL, &serial), 0);
    serial.flags = on ? (serial.flags | ASYNC_LOW_LATENCY) : (serial.flags & ~ASYNC_LOW_LATENCY);
    ASSERT_EQ(::ioctl(observer, TIOCSSERIAL, &serial), 0);
}

// On the machine's first UART (the 8250 driver keeps the flag among the
// port's flags, UPF_LOW_LATENCY in include/linux/serial_core.h, and reports
// it back through TIOCGSERIAL in drivers/tty/serial/serial_core.c): the port
// adds low latency while it is open and takes it away on close, but leaves
// a flag it found set. Skipped where /dev/ttyS0 cannot be opened.
TEST(SerialPortOnADriver, AsksForLowLatencyWhileOpenAndGivesTheOldSettingBack) {
    constexpr char kDevice[] = "/dev/ttyS0";
    const int observer = ::open(kDevice, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (observer < 0) GTEST_SKIP() << kDevice << ": " << std::strerror(errno);
    const std::optional<bool> before = lowLatencyOf(observer);
    if (!before) {
        ::close(observer);
        GTEST_SKIP() << kDevice << " keeps no serial driver settings";
    }
    ScopedVariable device{"KBX_COM1", kDevice};
    char buffer[128] = {};
    MessageBuffer message{buffer, sizeof buffer};
    for (const bool setBefore : {false, true}) {
        setLowLatency(observer, setBefore);
        SerialPort port;
        ASSERT_EQ(port.open(serialRequest("COM1:9600,O,8"), message), 0) << message.text();
        EXPECT_EQ(lowLatencyOf(observer), true) << "set before: " << setBefore;
        EXPECT_EQ(port.close(message), 0);
        EXPECT_EQ(lowLatencyOf(observer), setBefore);
    }
    setLowLatency(observer, *before);
    ::close(observer);
}

TEST_F(SerialPortTest, AnEmptySettingsTextOpensAtNinetySixHundredOddEight) {
    ASSERT_EQ(port.open(serialRequest("COM1:"), message), 0);
    EXPECT_EQ(text(), "COM1: 9600, O, 8");
    const termios line = pty.line();
    EXPECT_EQ(::cfgetospeed(&line), speed_t(B9600));
    EXPECT_NE(line.c_cflag & PARODD, 0u);
}

TEST_F(SerialPortTest, SettingsTheLineCannotHoldAreNoFailure) {
    // A pseudo-terminal keeps 8 data bits and no parity bit whatever is set,
    // so the second open changes nothing on the line.
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(port.open(serialRequest("COM1:9600,E,7"), message), 0) << round;
        EXPECT_EQ(text(), "COM1: 9600, E, 7");
        EXPECT_EQ(port.close(message), 0);
    }
}

TEST_F(SerialPortTest, ASpacedPortNameOpensThatPort) {
    ScopedVariable second("KBX_COM2", pty.slavePath().c_str());
    ASSERT_EQ(port.open(serialRequest("COM 2:4800,E,8,1"), message), 0);
    EXPECT_EQ(text(), "COM2: 4800, E, 8");
}

TEST_F(SerialPortTest, AMissingDeviceCannotBeOpened) {
    ScopedVariable missing("KBX_COM1", "/nonexistent/kbx-serial");
    EXPECT_EQ(port.open(serialRequest("COM1:9600,N,8"), message), 1);
    EXPECT_EQ(text(), "Can't open COM1.");
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortTest, APortNameWithoutNumberCannotBeOpened) {
    EXPECT_EQ(port.open(serialRequest("COMX:9600"), message), 1);
    EXPECT_EQ(text(), "Can't open COMX.");
}

TEST_F(SerialPortTest, APortHeldByAnotherOpenCannotBeOpenedUntilItCloses) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    SerialPort second;
    EXPECT_EQ(second.open(serialRequest("COM1:9600"), message), 1);
    EXPECT_EQ(text(), "Can't open COM1.");

    EXPECT_EQ(port.close(message), 0);
    EXPECT_EQ(second.open(serialRequest("COM1:9600"), message), 0);
}

TEST_F(SerialPortTest, ARateTheLineDoesNotKnowCannotBeSet) {
    EXPECT_EQ(port.open(serialRequest("COM1:3600,N,8"), message), 3);
    EXPECT_EQ(text(), "Can\xB4t set com state of COM1.");
    EXPECT_FALSE(port.isOpen());
    // The failed open gave the port back.
    EXPECT_EQ(port.open(serialRequest("COM1:2400,N,8"), message), 0);
}

TEST_F(SerialPortTest, ADeviceWithoutLineStateIsRefused) {
    kbxtest::TempDir folder;
    kbxtest::writeFile(folder / "plain", "");
    ScopedVariable plain("KBX_COM1", (folder / "plain").c_str());
    EXPECT_EQ(port.open(serialRequest("COM1:9600"), message), 2);
    EXPECT_EQ(text(), "Can't get state of COM1");
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortTest, OpenDiscardsWhatWaitedOnTheLine) {
    pty.send({kAcknowledgement, kAcknowledgement});
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    std::uint8_t got[2] = {};
    EXPECT_EQ(port.read(got, 2), 0u);
}

// ---- closing --------------------------------------------------------------

TEST_F(SerialPortTest, CloseLeavesTheMessageAndCanBeRepeated) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    message.set("1234 bytes sent");
    EXPECT_EQ(port.close(message), 0);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.close(message), 0);
    EXPECT_EQ(text(), "1234 bytes sent");
}

// ---- the parameter search -------------------------------------------------

TEST_F(SerialPortTest, SearchFindsAKeyboardAtTwelveHundredOddOnTheFourteenthRow) {
    ScriptedKeyboard keyboard(pty, echoOnlyAt(B1200, true));
    ASSERT_EQ(port.open(serialRequest("COM1"), message), 0);
    EXPECT_EQ(text(), "COM1: 1200, O, 8");
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.settings(), (LineSettings{1200, 'O', 8}));
    EXPECT_EQ(echoesIn(keyboard.received()), 14u);
}

TEST_F(SerialPortTest, SearchWithoutAnEchoTriesEveryRowThenGivesUp) {
    ScriptedKeyboard keyboard(pty, always({0x00, 0x55, 0xAA}));
    EXPECT_EQ(port.open(serialRequest("COM1"), message), 2);
    EXPECT_EQ(text(), "Can't find correct COM parameter.");
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(echoesIn(keyboard.received()), 24u);
}

TEST_F(SerialPortTest, SearchLooksAtThreeBytesForTheEcho) {
    ScriptedKeyboard keyboard(pty, always({0x00, 0x00, kEcho}));
    ASSERT_EQ(port.open(serialRequest("COM1"), message), 0);
    EXPECT_EQ(text(), "COM1: 9600, E, 8");
    EXPECT_EQ(echoesIn(keyboard.received()), 1u);
}

TEST_F(SerialPortTest, SearchIgnoresAnEchoAfterTheThirdByte) {
    // The late echo of one row must not be taken as the answer of the next.
    ScriptedKeyboard keyboard(pty, always({0x00, 0x00, 0x00, kEcho}));
    EXPECT_EQ(port.open(serialRequest("COM1"), message), 2);
    EXPECT_EQ(echoesIn(keyboard.received()), 24u);
}

TEST_F(SerialPortTest, SearchOnAMissingDeviceEndsOnTheFirstRow) {
    ScopedVariable missing("KBX_COM1", "/nonexistent/kbx-serial");
    EXPECT_EQ(port.open(serialRequest("COM1"), message), 1);
    EXPECT_EQ(text(), "Can't open COM1.");
}

TEST_F(SerialPortTest, SearchThatCannotSendTheEchoShowsTheMessageAndStops) {
    RecordingNotifier notifier;
    const int other = stopOutput();
    EXPECT_EQ(port.open(serialRequest("COM1"), message), 9);
    ::close(other);
    EXPECT_EQ(text(), "Can't send data (0xEE).");
    EXPECT_FALSE(port.isOpen());
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0].text, "Can't send data (0xEE).");
    EXPECT_EQ(notifier.shown[0].title, "");
    EXPECT_EQ(notifier.shown[0].buttons, kbx::platform::Buttons::ok);
}

// ---- sending bytes --------------------------------------------------------

TEST_F(SerialPortTest, EveryByteValueIsSentAndAcknowledged) {
    ScriptedKeyboard keyboard(pty, always({kAcknowledgement}));
    ASSERT_EQ(port.open(serialRequest("COM1:9600,N,8"), message), 0);
    message.set("opened");
    Bytes sent;
    for (int value = 0; value < 256; ++value) {
        sent.push_back(std::uint8_t(value));
        ASSERT_EQ(port.sendByte(std::uint8_t(value), message), 0) << value;
    }
    EXPECT_EQ(keyboard.received(), sent);  // none lost on the way out
    EXPECT_EQ(text(), "opened");
}

TEST_F(SerialPortTest, ARefusedByteFailsTheSend) {
    ScriptedKeyboard keyboard(pty, always({kRefusal}));
    ASSERT_EQ(port.open(serialRequest("COM1:9600,N,8"), message), 0);
    EXPECT_EQ(port.sendByte(0x0F, message), 0x95);
    EXPECT_EQ(text(), " download failed ");
}

TEST_F(SerialPortTest, ASilentKeyboardFailsTheSendAfterTheAcknowledgementTimeOut) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600,N,8"), message), 0);
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(port.sendByte(0xEF, message), 0x95);
    const milliseconds waited = since(start);
    EXPECT_EQ(text(), " download failed ");
    EXPECT_GE(waited.count(), 200);   // 250 ms for one byte
    EXPECT_LT(waited.count(), 3000);
}

TEST_F(SerialPortTest, AnAcknowledgementWaitingBeforeTheSendDoesNotCount) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600,N,8"), message), 0);
    pty.send({kAcknowledgement});
    std::this_thread::sleep_for(milliseconds{20});
    EXPECT_EQ(port.sendByte(0x12, message), 0x95);
}

TEST_F(SerialPortTest, AByteThatCannotLeaveFailsTheSend) {
    const int other = stopOutput();
    ASSERT_EQ(port.open(serialRequest("COM1:9600,N,8"), message), 0);
    EXPECT_EQ(port.sendByte(0x12, message), 0x92);
    ::close(other);
    EXPECT_EQ(text(), " unable to send data ");
}

TEST_F(SerialPortTest, SendingOnAClosedPortFails) {
    EXPECT_EQ(port.sendByte(0x12, message), 0x91);
    EXPECT_EQ(text(), " error clear receive buffer ");
}

// ---- reading --------------------------------------------------------------

TEST_F(SerialPortTest, AReadThatGetsNothingEndsAfterItsTimeOut) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    std::uint8_t got[8] = {};
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(port.read(got, sizeof got), 0u);
    const milliseconds waited = since(start);
    EXPECT_GE(waited.count(), 500);   // 50 x 8 + 200 ms
    EXPECT_LT(waited.count(), 5000);
}

TEST_F(SerialPortTest, AReadReturnsAsSoonAsAllBytesArrived) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    const Bytes reply{'0', '1', 'A', 'F', '1', '0'};
    pty.send(reply);
    Bytes got(reply.size());
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(port.read(got.data(), got.size()), reply.size());
    EXPECT_LT(since(start).count(), 500);  // the time-out would be 500 ms
    EXPECT_EQ(got, reply);
}

TEST_F(SerialPortTest, AShortReplyGivesTheBytesThatCame) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    pty.send({'4', '2', '0'});
    Bytes got(34);
    EXPECT_EQ(port.read(got.data(), got.size()), 3u);
    EXPECT_EQ(got[2], '0');
}

TEST_F(SerialPortTest, AReadOfNothingOrOnAClosedPortReadsNothing) {
    std::uint8_t got[4] = {};
    EXPECT_EQ(port.read(got, sizeof got), 0u);
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    EXPECT_EQ(port.read(got, 0), 0u);
    EXPECT_EQ(port.read(nullptr, 4), 0u);
}

// ---- the keyboard goes away -----------------------------------------------

TEST_F(SerialPortTest, AHangUpEndsAReadAtOnceWithWhatCame) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    std::thread keyboardLeaves([this] {
        pty.send({'1', '2'});
        std::this_thread::sleep_for(milliseconds{100});
        pty.hangUp();
    });
    Bytes got(256);  // a time-out of almost 13 seconds
    const Clock::time_point start = Clock::now();
    const std::size_t count = port.read(got.data(), got.size());
    const milliseconds waited = since(start);
    keyboardLeaves.join();
    EXPECT_EQ(count, 2u);
    EXPECT_LT(waited.count(), 5000);
}

TEST_F(SerialPortTest, AfterAHangUpSendsFailAtOnceAndThePortCloses) {
    ASSERT_EQ(port.open(serialRequest("COM1:9600"), message), 0);
    pty.hangUp();
    const Clock::time_point start = Clock::now();
    EXPECT_NE(port.sendByte(0x12, message), 0);
    EXPECT_LT(since(start).count(), 1000);
    std::uint8_t got[4] = {};
    EXPECT_EQ(port.read(got, sizeof got), 0u);
    port.close(message);
    EXPECT_FALSE(port.isOpen());
}

// ---- device names -----------------------------------------------------------

TEST(SerialDevicePath, TheEnvironmentNamesTheDevice) {
    ScopedVariable device("KBX_COM2", "/dev/pts/77");
    EXPECT_EQ(serialDevicePath("COM2"), "/dev/pts/77");
}

TEST(SerialDevicePath, WithoutTheVariableTheSerialDevicesCountFromZero) {
    ScopedVariable first("KBX_COM1", nullptr);
    ScopedVariable fourth("KBX_COM4", nullptr);
    EXPECT_EQ(serialDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(serialDevicePath("COM4"), "/dev/ttyS3");
}

TEST(SerialDevicePath, AnEmptyVariableCountsAsUnset) {
    ScopedVariable device("KBX_COM3", "");
    EXPECT_EQ(serialDevicePath("COM3"), "/dev/ttyS2");
}

TEST(SerialDevicePath, NamesWithoutAPortNumberOpenNothing) {
    ScopedVariable zero("KBX_COM0", "/dev/null");
    for (std::string_view name : {"COM0", "COM", "COMX", "COM:", "LPT1", "", "COM99999999999"}) {
        EXPECT_EQ(serialDevicePath(name), "") << name;
    }
}

}  // namespace
}  // namespace kbxi
