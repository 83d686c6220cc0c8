// The library's file and command calls against the simulated keyboard on a
// pseudo-terminal: what lands in the keyboard's memory, what comes back, how
// refusals, lost answers, silence and damaged replies are retried, how the
// line settings are searched, and what a keyboard that goes away or a port
// held by someone else does to a call.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "kbxi32.h"
#include "iface/session.h"
#include "iface/state.h"
#include "iface/tests/fake_libraries.h"
#include "iface/tests/scripted_link.h"
#include "kbxsim/hex_text.h"
#include "kbxsim/simulator.h"
#include "tests/support/files.h"

namespace kbxi {
namespace {

using test::Bytes;
using test::imageOfLength;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr char kCom1[] = "COM1:9600,O,8";
constexpr std::size_t kFirstAddress = 4;  // the download starts here; 0-3 are the keyboard's own
constexpr std::size_t kMemorySize = 8192;
// A write frame of n bytes is 2n+12 sends; the first frame of every image of
// at least 68 bytes carries 64.
constexpr std::uint64_t kFullFrameSends = 2 * 64 + 12;
constexpr std::uint64_t kSecondFrameStart = kFullFrameSends + 1;
// The keyboard's wait for an acknowledgement: 50 ms per byte and 200 ms.
constexpr milliseconds kAcknowledgementTimeout{250};

milliseconds since(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

Bytes imageBytesFrom(const Bytes& image, std::size_t first) { return Bytes(image.begin() + long(first), image.end()); }

// The number of data bytes of each write frame the keyboard received, in
// order, read from its byte log ("kbxsim: <- EF frame started -> FA"). A
// frame is 0xEF 0x0F, four address digits, two count digits, two checksum
// digits, the data digits and two more checksum digits.
std::vector<std::size_t> writeFrameSizes(const std::string& log) {
    constexpr std::size_t kByteColumn = 11;  // after "kbxsim: <- "
    constexpr std::size_t kFrameOverhead = 12;
    Bytes received;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() >= kByteColumn + 2)
            received.push_back(std::uint8_t(std::stoul(line.substr(kByteColumn, 2), nullptr, 16)));
    }
    std::vector<std::size_t> sizes;
    std::size_t frameStart = received.size();
    const auto closeFrame = [&](std::size_t end) {
        const bool writeFrame = frameStart + 1 < end && received[frameStart + 1] == 0x0F;
        if (writeFrame) sizes.push_back((end - frameStart - kFrameOverhead) / 2);
    };
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (received[i] != 0xEF && received[i] != 0xF4) continue;
        closeFrame(i);
        frameStart = i;
    }
    closeFrame(received.size());
    return sizes;
}

// Each test has a keyboard of its own on a fresh pseudo-terminal, which the
// library reaches as COM1 through a link in the test's folder.
class KeyboardOverSerial : public testing::Test {
protected:
    void SetUp() override {
        resetStateForTests();
        // Nothing may be bound over the serial port: a binding would fail.
        state().functionLibrary.setSource(test::missingLibrary(), "none");
        startKeyboard({});
    }
    void TearDown() override {
        unsetenv("KBX_COM1");
        resetStateForTests();
    }

    void startKeyboard(kbxsim::SimulatorOptions options) {
        keyboard_.reset();
        options.link = dir_ / "ttyKBX";
        keyboard_.emplace(options);
        setenv("KBX_COM1", keyboard_->portPath().c_str(), 1);
    }
    kbxsim::Simulator& keyboard() { return *keyboard_; }

    MessageBuffer buffer(const char* text) {
        std::snprintf(message_, sizeof message_, "%s", text);
        return MessageBuffer(message_, sizeof message_);
    }
    std::string message() const { return message_; }

    std::string writeImage(const Bytes& image) {
        kbxtest::writeFile(dir_ / "image.kbx", std::string(image.begin(), image.end()));
        return (dir_ / "image.kbx").string();
    }
    std::string target() const { return (dir_ / "up.kbx").string(); }

    int download(const Bytes& image, const char* interface = kCom1) {
        return refresh(state(), writeImage(image).c_str(), buffer(interface), 0, 0, nullptr);
    }
    int uploadToTarget() { return upload(state(), target().c_str(), buffer(kCom1), nullptr); }
    // Puts an image into the keyboard as an earlier download left it.
    void holdImage(const Bytes& image) { keyboard().place(kFirstAddress, std::span(image).subspan(kFirstAddress)); }

    kbxtest::TempDir dir_;
    std::optional<kbxsim::Simulator> keyboard_;
    char message_[KBXI_MESSAGE_CAPACITY] = "";
    test::RecordingNotifier notifier_;
};

// ---- download ----------------------------------------------------------------

TEST_F(KeyboardOverSerial, DownloadPutsEveryImageByteIntoTheKeyboardOnce) {
    const Bytes image = imageOfLength(8000);
    EXPECT_EQ(download(image), 8000);
    EXPECT_EQ(message(), " 8000 bytes sent");
    EXPECT_EQ(keyboard().memory(kFirstAddress, 7996), imageBytesFrom(image, kFirstAddress));
    EXPECT_EQ(keyboard().hostWritesIn(kFirstAddress, 7999), 7996u);
    EXPECT_EQ(keyboard().hostWritesIn(8000, kMemorySize - 1), 0u);
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.writeFrames, 125u);  // 124 of 64 bytes and one of 60
    EXPECT_EQ(counters.framesRefused, 0u);
    EXPECT_EQ(counters.checksumUpdates, 1u);
    EXPECT_EQ(counters.enables, 1u);
}

TEST_F(KeyboardOverSerial, DownloadOfTheShortestImageSendsFourFullFramesAndTheRest) {
    std::ostringstream log;
    kbxsim::SimulatorOptions options;
    options.log = &log;
    startKeyboard(options);
    const Bytes image = imageOfLength(302);
    EXPECT_EQ(download(image), 302);
    EXPECT_EQ(message(), " 302 bytes sent");
    keyboard().stop();  // the log is complete once the keyboard stopped
    EXPECT_EQ(writeFrameSizes(log.str()), (std::vector<std::size_t>{64, 64, 64, 64, 42}));
    EXPECT_EQ(keyboard().memory(kFirstAddress, 298), imageBytesFrom(image, kFirstAddress));
    EXPECT_EQ(keyboard().counters().bytesReceived, 4 * kFullFrameSends + (2 * 42 + 12) + 2 + 1);
}

// ---- refresh -------------------------------------------------------------------

TEST_F(KeyboardOverSerial, RefreshFillsTheMemoryFromTheImageEndUpToTheRefreshEnd) {
    const Bytes image = imageOfLength(400);
    constexpr std::uint8_t kFill = 0xA5;
    EXPECT_EQ(refresh(state(), writeImage(image).c_str(), buffer(kCom1), 1000, kFill, nullptr), 1000);
    EXPECT_EQ(message(), " 1000 bytes sent");
    EXPECT_EQ(keyboard().memory(kFirstAddress, 396), imageBytesFrom(image, kFirstAddress));
    EXPECT_EQ(keyboard().memory(400, 600), Bytes(600, kFill));
    EXPECT_EQ(keyboard().hostWritesIn(1000, kMemorySize - 1), 0u);
    // Below 400 a fill and a data frame at each of 7 positions; from 400 on
    // fill frames at steps of the last data frame's 12 bytes, up to 988.
    EXPECT_EQ(keyboard().counters().writeFrames, 7u + 7u + 50u);
}

TEST_F(KeyboardOverSerial, RefreshGivesUpAfterFourRefusedFillFrames) {
    keyboard().refuseBytes(1, 4);  // the first byte of each of four attempts
    EXPECT_EQ(refresh(state(), writeImage(imageOfLength(400)).c_str(), buffer(kCom1), 1000, 0xA5, nullptr), -5);
    EXPECT_EQ(message(), "refresh not possible (0x95)");
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.framesStarted, 4u);
    EXPECT_EQ(counters.framesRefused, 4u);
    EXPECT_EQ(counters.enables, 1u);  // the keyboard is enabled again
    EXPECT_EQ(keyboard().hostWritesIn(0, kMemorySize - 1), 0u);
}

// ---- retries ---------------------------------------------------------------------

TEST_F(KeyboardOverSerial, ADataFrameRefusedElevenTimesIsTakenOnTheTwelfthAttempt) {
    keyboard().refuseBytes(kSecondFrameStart, 11);
    const Bytes image = imageOfLength(302);
    EXPECT_EQ(download(image), 302);
    EXPECT_EQ(message(), " 302 bytes sent");
    EXPECT_EQ(keyboard().memory(kFirstAddress, 298), imageBytesFrom(image, kFirstAddress));
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.framesRefused, 11u);
    EXPECT_EQ(counters.framesStarted, 5u + 1u + 11u);  // five write frames, the update, the refused attempts
    EXPECT_EQ(counters.writeFrames, 5u);
}

TEST_F(KeyboardOverSerial, ADataFrameRefusedTwelveTimesEndsTheDownload) {
    keyboard().refuseBytes(kSecondFrameStart, 12);
    const Bytes image = imageOfLength(302);
    EXPECT_EQ(download(image), -5);
    EXPECT_EQ(message(), "Download not possible (0x95)");
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.framesRefused, 12u);
    EXPECT_EQ(counters.writeFrames, 1u);
    EXPECT_EQ(counters.checksumUpdates, 0u);
    EXPECT_EQ(counters.enables, 1u);
    // The first frame stays; nothing after it was written.
    EXPECT_EQ(keyboard().memory(kFirstAddress, 64), Bytes(image.begin() + 4, image.begin() + 68));
    EXPECT_EQ(keyboard().hostWritesIn(68, kMemorySize - 1), 0u);
}

TEST_F(KeyboardOverSerial, ALostAcknowledgementCostsOneRetryOfItsFrame) {
    keyboard().loseAnswers(50);
    const Bytes image = imageOfLength(302);
    EXPECT_EQ(download(image), 302);
    EXPECT_EQ(keyboard().memory(kFirstAddress, 298), imageBytesFrom(image, kFirstAddress));
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.lostAnswers, 1u);
    EXPECT_EQ(counters.framesAbandoned, 1u);  // the first attempt, ended by the second
    EXPECT_EQ(counters.framesStarted, 5u + 1u + 1u);
}

TEST_F(KeyboardOverSerial, EachSilentByteFailsItsAttemptAfterTheAcknowledgementTimeOut) {
    constexpr std::uint64_t kSilentBytes = 3;
    keyboard().goSilent(kSecondFrameStart, kSilentBytes);
    const Bytes image = imageOfLength(302);
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(download(image), 302);
    const milliseconds took = since(start);
    EXPECT_EQ(keyboard().memory(kFirstAddress, 298), imageBytesFrom(image, kFirstAddress));
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.silentBytes, kSilentBytes);
    EXPECT_EQ(counters.framesStarted, 5u + 1u);  // the silent starts were never taken
    EXPECT_GE(took, int(kSilentBytes) * kAcknowledgementTimeout - milliseconds{50});
    EXPECT_LT(took, int(kSilentBytes) * kAcknowledgementTimeout + milliseconds{2000});
}

// ---- upload ------------------------------------------------------------------------

TEST_F(KeyboardOverSerial, UploadReadsBackWhatWasDownloaded) {
    const Bytes image = imageOfLength(1000);
    ASSERT_EQ(download(image), 1000);
    EXPECT_EQ(uploadToTarget(), 1000);
    EXPECT_EQ(kbxtest::readBytes(target()), image);
}

TEST_F(KeyboardOverSerial, UploadOfAMemoryWithoutImageLengthReadsTheWholeMemory) {
    const std::array<std::uint8_t, 2> lengthFive{0x00, 0x05};
    keyboard().place(6, lengthFive);
    EXPECT_EQ(uploadToTarget(), 8192);
    const Bytes file = kbxtest::readBytes(target());
    ASSERT_EQ(file.size(), kMemorySize);
    EXPECT_EQ(Bytes(file.begin() + 4, file.end()), keyboard().memory(kFirstAddress, kMemorySize - 4));
    // Blocks of 16 from 0 up to and including the one at 8192.
    EXPECT_EQ(keyboard().counters().readFrames, 8192u / 16 + 1);
}

TEST_F(KeyboardOverSerial, UploadOfAnImageLongerThanTheUploadBufferFailsWithoutFile) {
    const std::array<std::uint8_t, 2> length12288{0x30, 0x00};
    keyboard().place(6, length12288);
    EXPECT_EQ(uploadToTarget(), 0);
    EXPECT_EQ(message(), " Upload Error: image length 12288 exceeds the upload buffer of 9000 bytes");
    EXPECT_FALSE(std::filesystem::exists(target()));
    EXPECT_EQ(keyboard().counters().readFrames, 1u);
}

TEST_F(KeyboardOverSerial, DamageOnFourRepliesInARowIsRetriedAway) {
    const Bytes image = imageOfLength(317);
    holdImage(image);
    keyboard().corruptReplies({kbxsim::ReplyDamage::notHexDigit, 0}, 4);
    EXPECT_EQ(uploadToTarget(), 317);
    EXPECT_EQ(kbxtest::readBytes(target()), image);
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.corruptedReplies, 4u);
    EXPECT_EQ(counters.readFrames, 20u + 4u);  // blocks at 0 ... 304, and the retries
}

struct ReplyDamageCase {
    const char* name;
    kbxsim::ReplyCorruption corruption;
    int blockError;
};

constexpr std::array kReplyDamage{
    ReplyDamageCase{"WrongChecksumHighDigit", {kbxsim::ReplyDamage::wrongChecksumHigh, 0}, 3},
    ReplyDamageCase{"WrongChecksumLowDigit", {kbxsim::ReplyDamage::wrongChecksumLow, 0}, 4},
    ReplyDamageCase{"DataCharacterNoHexDigit", {kbxsim::ReplyDamage::notHexDigit, 7}, 5},
    ReplyDamageCase{"NulCharacter", {kbxsim::ReplyDamage::nul, 3}, 6},
    ReplyDamageCase{"TooFewCharacters", {kbxsim::ReplyDamage::tooFew, 1}, 2},
};

class DamagedReplies : public KeyboardOverSerial, public testing::WithParamInterface<ReplyDamageCase> {};

TEST_P(DamagedReplies, FiveInARowEndTheUploadWithTheBlockErrorAndNoFile) {
    holdImage(imageOfLength(317));
    keyboard().corruptReplies(GetParam().corruption, kbxsim::FaultPlan::kEveryReply);
    EXPECT_EQ(uploadToTarget(), -GetParam().blockError);
    char expected[32];
    std::snprintf(expected, sizeof expected, " Upload Error (%02x)", unsigned(GetParam().blockError));
    EXPECT_EQ(message(), expected);
    EXPECT_FALSE(std::filesystem::exists(target()));
    EXPECT_EQ(keyboard().counters().readFrames, 5u);
}

INSTANTIATE_TEST_SUITE_P(KeyboardOverSerial, DamagedReplies, testing::ValuesIn(kReplyDamage),
                         [](const testing::TestParamInfo<ReplyDamageCase>& damage) { return damage.param.name; });

// ---- header query ----------------------------------------------------------------------

TEST_F(KeyboardOverSerial, HeaderQueryShowsTheIdentificationAndTheChecksumTheKeyboardHolds) {
    kbxsim::SimulatorOptions options;
    options.identification = 0x4B37;
    startKeyboard(options);
    const Bytes image = imageOfLength(302);
    ASSERT_EQ(download(image), 302);
    keyboard().resetCounters();

    unsigned char header[KBXI_HEADER_SIZE] = {};
    EXPECT_EQ(readKeyboardHeader(state(), header, buffer(kCom1)), 0);
    std::uint16_t sum = 0;
    for (std::size_t i = kFirstAddress; i < image.size(); ++i) sum = std::uint16_t(sum + image[i]);
    const Bytes expected{0x4B, 0x37, std::uint8_t(sum >> 8), std::uint8_t(sum & 0xFF),
                         image[4], image[5], image[6], image[7]};
    EXPECT_EQ(Bytes(header, header + KBXI_HEADER_SIZE), expected);
    EXPECT_EQ(keyboard().counters().readFrames, 2u);  // 0-6 and 7-13
}

// ---- commands ------------------------------------------------------------------------------

// A read frame of 127 bytes at address 4: its reply is 256 characters, as
// many as the command's reply read takes.
constexpr std::array<std::uint8_t, 10> kReadFrameCommand{0xEF, 0x0E, '0', '0', '0', '4', '7', 'F', '1', 'A'};

TEST_F(KeyboardOverSerial, CommandBytesAreAcknowledgedAndTheReplyIsReadFromThePort) {
    const Bytes image = imageOfLength(317);
    holdImage(image);
    unsigned char command[KBXI_COMMAND_CAPACITY] = {};
    std::copy(kReadFrameCommand.begin(), kReadFrameCommand.end(), command);
    int length = int(kReadFrameCommand.size());
    EXPECT_EQ(sendCommandBytes(state(), &length, command, buffer(kCom1)), 0);
    const std::string reply = kbxsim::replyText(keyboard().memory(kFirstAddress, 127));
    ASSERT_EQ(reply.size(), 256u);
    EXPECT_EQ(length, 256);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(command), 256), reply);
    EXPECT_EQ(command[256], 0);
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.acknowledgements, kReadFrameCommand.size());
    EXPECT_EQ(counters.readFrames, 1u);
}

TEST_F(KeyboardOverSerial, ARefusedCommandByteIsReportedWithItsPosition) {
    keyboard().refuseBytes(3);
    unsigned char command[KBXI_COMMAND_CAPACITY] = {0x10, 0x20, 0x30, 0x40, 0x50};
    int length = 5;
    EXPECT_EQ(sendCommandBytes(state(), &length, command, buffer(kCom1)), 0x95);
    EXPECT_EQ(message(), "Err(0x95) at Pos. 2!");
    EXPECT_EQ(keyboard().counters().bytesReceived, 3u);  // nothing after the refused byte
}

TEST_F(KeyboardOverSerial, ASilentKeyboardFailsACommandByteWithinTheAcknowledgementTimeOut) {
    keyboard().goSilent(2, 1);
    unsigned char command[KBXI_COMMAND_CAPACITY] = {0x10, 0x20, 0x30};
    int length = 3;
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(sendCommandBytes(state(), &length, command, buffer(kCom1)), 0x95);
    const milliseconds took = since(start);
    EXPECT_EQ(message(), "Err(0x95) at Pos. 1!");
    EXPECT_GE(took, kAcknowledgementTimeout - milliseconds{50});
    EXPECT_LT(took, kAcknowledgementTimeout + milliseconds{2000});
}

// ---- parameter search -------------------------------------------------------------------------

TEST_F(KeyboardOverSerial, AKeyboardAtTwelveHundredOddIsFoundOnTheFourteenthRow) {
    kbxsim::SimulatorOptions options;
    options.echoSettings = kbxsim::LineSettings{1200, kbxsim::Parity::odd, 8};
    startKeyboard(options);
    const Bytes image = imageOfLength(302);
    EXPECT_EQ(download(image, "COM1"), 302);
    EXPECT_EQ(message(), " 302 bytes sent");
    EXPECT_EQ(keyboard().memory(kFirstAddress, 298), imageBytesFrom(image, kFirstAddress));
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.echoesUnanswered, 13u);
    EXPECT_EQ(counters.echoesAnswered, 1u);
    EXPECT_TRUE(notifier_.boxes.empty());
}

// Every row waits out three echo reads: about 18 seconds.
TEST_F(KeyboardOverSerial, AKeyboardAnsweringAtNoRowOfTheSearchIsNotFound) {
    kbxsim::SimulatorOptions options;
    options.echoSettings = kbxsim::LineSettings{57600, kbxsim::Parity::odd, 8};
    startKeyboard(options);
    EXPECT_EQ(download(imageOfLength(302), "COM1"), -30);
    EXPECT_EQ(message(), "Can't find correct COM parameter.");
    const kbxsim::Counters counters = keyboard().counters();
    EXPECT_EQ(counters.echoesUnanswered, 24u);
    EXPECT_EQ(counters.bytesReceived, 24u);  // the echoes and nothing else
    EXPECT_FALSE(state().serialPort.isOpen());
    EXPECT_TRUE(notifier_.boxes.empty());
}

// ---- a keyboard that goes away, a port that is taken ----------------------------------------------

TEST_F(KeyboardOverSerial, AKeyboardDisconnectedDuringADownloadFailsItAtOnce) {
    // The keyboard stops answering in the fifteenth frame; while the library
    // waits for that acknowledgement the pseudo-terminal goes away.
    keyboard().goSilent(2000);
    std::thread unplug([this] {
        const Clock::time_point giveUp = Clock::now() + milliseconds{5000};
        while (keyboard().counters().silentBytes == 0 && Clock::now() < giveUp)
            std::this_thread::sleep_for(milliseconds{1});
        keyboard_.reset();
    });
    const Clock::time_point start = Clock::now();
    const int result = download(imageOfLength(8000));
    const milliseconds took = since(start);
    unplug.join();
    EXPECT_EQ(result, -5);
    // The first step of every later attempt, discarding what waits on the
    // line, already fails on a line that was hung up.
    EXPECT_EQ(message(), "Download not possible (0x91)");
    // Twelve silent attempts would take three seconds; a hung-up line fails
    // each at once.
    EXPECT_LT(took, 12 * kAcknowledgementTimeout);
    EXPECT_FALSE(state().serialPort.isOpen());
    EXPECT_FALSE(state().serialSelected);
}

TEST_F(KeyboardOverSerial, APortHeldExclusivelyByAnotherCallerCannotBeOpened) {
    const int other = ::open(keyboard().slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::ioctl(other, TIOCEXCL), 0);
    EXPECT_EQ(download(imageOfLength(302)), -31);
    EXPECT_EQ(message(), "Can't open COM1.");
    EXPECT_EQ(keyboard().counters().bytesReceived, 0u);
    ::ioctl(other, TIOCNXCL);
    ::close(other);
    // Once given back, the port opens again.
    EXPECT_EQ(download(imageOfLength(302)), 302);
}

}  // namespace
}  // namespace kbxi
