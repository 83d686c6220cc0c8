#include "tools/kbxsim/firmware/firmware.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/kbxsim/tests/frames.h"
#include "tools/kbxsim/tests/recording_host.h"

namespace kbxsim::test {
namespace {

std::vector<std::uint8_t> acknowledgements(std::size_t count) { return std::vector<std::uint8_t>(count, kAcknowledge); }

std::vector<std::uint8_t> memoryAt(const Firmware& firmware, std::size_t address, std::size_t count) {
    const auto bytes = firmware.memory().bytes().subspan(address, count);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

TEST(Firmware, WriteFrameIsAcknowledgedByteByByteAndStored) {
    Firmware firmware;
    RecordingHost host;
    const Bytes frame = writeFrame(0x0010, {0xAB, 0x01, 0xFF});
    ASSERT_EQ(frame.size(), 2u + 8u + 6u + 2u);

    EXPECT_EQ(host.send(firmware, frame), acknowledgements(frame.size()));
    EXPECT_EQ(memoryAt(firmware, 0x10, 3), (Bytes{0xAB, 0x01, 0xFF}));
    EXPECT_EQ(firmware.counters().writeFrames, 1u);
    EXPECT_EQ(firmware.counters().framesCompleted, 1u);
    EXPECT_EQ(firmware.memory().hostWritesIn(0x10, 0x12), 3u);
}

TEST(Firmware, ReadFrameIsAcknowledgedThenAnsweredWithDigitsAndTheirChecksum) {
    Firmware firmware;
    RecordingHost host;
    const Bytes stored{0xAB, 0x01};
    firmware.memory().place(0x20, stored);

    EXPECT_EQ(host.send(firmware, readFrame(0x0020, 2)), acknowledgements(10));
    // A + B + 0 + 1 = 22 = 0x16.
    EXPECT_EQ(host.replies, std::vector<std::string>{"AB0116"});
}

TEST(Firmware, ReadPastTheMemoryAnswersZerosThere) {
    // An upload of an empty keyboard reads one block from address 8192 on.
    Firmware firmware;
    RecordingHost host;
    firmware.memory().place(0x1FFF, Bytes{0x0F});
    EXPECT_EQ(host.send(firmware, readFrame(0x1FFF, 2)), acknowledgements(10));
    EXPECT_EQ(host.replies, std::vector<std::string>{"0F000F"});
    host.send(firmware, readFrame(0x2000, 1));
    EXPECT_EQ(host.replies.back(), "0000");
}

TEST(Firmware, HeaderQueryShowsIdentificationAndChecksum) {
    Firmware firmware(0x1234);
    RecordingHost host;
    host.send(firmware, readFrame(0x0000, 4));
    // 1 + 2 + 3 + 4 = 10 = 0x0A; the checksum bytes are zero.
    EXPECT_EQ(host.replies, std::vector<std::string>{"12340000" "0A"});
}

TEST(Firmware, FramesWithoutDataAreAcknowledged) {
    Firmware firmware;
    RecordingHost host;
    EXPECT_EQ(host.send(firmware, writeFrame(0x0100, {})), acknowledgements(12));
    EXPECT_EQ(host.send(firmware, readFrame(0x0100, 0)), acknowledgements(10));
    EXPECT_EQ(host.replies, std::vector<std::string>{"00"});
    EXPECT_EQ(firmware.counters().framesCompleted, 2u);
}

TEST(Firmware, LongestWriteFrameFillsTheLastAddresses) {
    Firmware firmware;
    RecordingHost host;
    const Bytes data(255, 0x5A);
    const std::uint16_t address = kMemorySize - 255;
    EXPECT_EQ(host.send(firmware, writeFrame(address, data)), acknowledgements(2 + 8 + 510 + 2));
    EXPECT_EQ(memoryAt(firmware, address, 255), data);
}

TEST(Firmware, AddressesZeroToThreeKeepTheKeyboardsOwnBytes) {
    Firmware firmware(0x5631);
    RecordingHost host;
    EXPECT_EQ(host.send(firmware, writeFrame(0x0000, {1, 2, 3, 4, 5, 6, 7, 8})), acknowledgements(2 + 8 + 16 + 2));
    EXPECT_EQ(memoryAt(firmware, 0, 8), (Bytes{0x56, 0x31, 0x00, 0x00, 5, 6, 7, 8}));
    EXPECT_EQ(firmware.memory().hostWritesIn(0, 3), 4u);
}

// A bad frame: every byte before the bad one is acknowledged, the bad one is
// refused, and memory stays as it was.
struct BadFrame {
    const char* name;
    Bytes bytes;
    std::size_t refusedAt;
    Refusal refusal;
};

Bytes changed(Bytes bytes, std::size_t index, std::uint8_t value) {
    bytes[index] = value;
    return bytes;
}

Bytes withWrongLastDigit(Bytes bytes, std::size_t index) {
    bytes[index] = bytes[index] == '0' ? '1' : '0';
    return bytes;
}

class BadFrames : public testing::TestWithParam<BadFrame> {};

TEST_P(BadFrames, AreRefusedOnTheirBadByteAndChangeNothing) {
    const BadFrame& bad = GetParam();
    Firmware firmware;
    RecordingHost host;
    const Firmware untouched;

    const auto answers = host.send(firmware, Bytes(bad.bytes.begin(), bad.bytes.begin() + bad.refusedAt + 1));
    auto expected = acknowledgements(bad.refusedAt);
    expected.push_back(kRefuse);
    EXPECT_EQ(answers, expected);
    EXPECT_EQ(firmware.lastRefusal(), bad.refusal);
    EXPECT_EQ(firmware.counters().framesRefused, 1u);
    EXPECT_TRUE(host.replies.empty());
    EXPECT_TRUE(std::equal(firmware.memory().bytes().begin(), firmware.memory().bytes().end(),
                           untouched.memory().bytes().begin()));
}

const Bytes kGoodWrite = writeFrame(0x0040, {0x11, 0x22});  // EF 0F, 8 header digits, 4 data digits, 2 checksum

INSTANTIATE_TEST_SUITE_P(
    Firmware, BadFrames,
    testing::Values(BadFrame{"HeaderChecksumLowDigit", withWrongLastDigit(kGoodWrite, 9), 9, Refusal::headerChecksum},
                    BadFrame{"HeaderChecksumHighDigit", withWrongLastDigit(kGoodWrite, 8), 9, Refusal::headerChecksum},
                    BadFrame{"DataChecksumLowDigit", withWrongLastDigit(kGoodWrite, 15), 15, Refusal::dataChecksum},
                    BadFrame{"DataChecksumHighDigit", withWrongLastDigit(kGoodWrite, 14), 15, Refusal::dataChecksum},
                    BadFrame{"NonHexAddressDigit", changed(kGoodWrite, 3, 'G'), 3, Refusal::notHexDigit},
                    BadFrame{"LowerCaseDigit", changed(writeFrame(0x00A0, {1}), 4, 'a'), 4, Refusal::notHexDigit},
                    BadFrame{"NonHexDataDigit", changed(kGoodWrite, 11, ':'), 11, Refusal::notHexDigit},
                    BadFrame{"ControlByteInData", changed(kGoodWrite, 12, 0x0D), 12, Refusal::notHexDigit},
                    BadFrame{"WritePastTheMemory", writeFrame(0x1FFE, {1, 2, 3}), 9, Refusal::outsideMemory},
                    BadFrame{"WriteAtTheTopAddress", writeFrame(0xFFFF, {1}), 9, Refusal::outsideMemory},
                    BadFrame{"ReadChecksum", withWrongLastDigit(readFrame(0x0000, 7), 9), 9,
                             Refusal::headerChecksum}),
    [](const testing::TestParamInfo<BadFrame>& parameter) { return std::string(parameter.param.name); });

TEST(Firmware, BytesAfterARefusedFrameAreSingleBytes) {
    Firmware firmware;
    RecordingHost host;
    Bytes bytes = withWrongLastDigit(kGoodWrite, 9);
    const auto answers = host.send(firmware, bytes);
    EXPECT_EQ(answers[9], kRefuse);
    EXPECT_EQ(Bytes(answers.begin() + 10, answers.end()), acknowledgements(bytes.size() - 10));
    EXPECT_EQ(firmware.counters().writeFrames, 0u);
}

TEST(Firmware, EchoIsAnsweredWithEchoAlone) {
    Firmware firmware;
    RecordingHost host;
    EXPECT_EQ(host.send(firmware, {kEcho}), Bytes{kEcho});
    EXPECT_EQ(firmware.counters().echoesAnswered, 1u);
}

TEST(Firmware, EchoInsideAFrameEndsTheFrame) {
    Firmware firmware;
    RecordingHost host;
    Bytes bytes(kGoodWrite.begin(), kGoodWrite.begin() + 6);
    bytes.push_back(kEcho);
    bytes.insert(bytes.end(), kGoodWrite.begin() + 6, kGoodWrite.end());

    const auto answers = host.send(firmware, bytes);
    EXPECT_EQ(answers[6], kEcho);
    EXPECT_EQ(firmware.counters().framesAbandoned, 1u);
    EXPECT_EQ(firmware.counters().writeFrames, 0u);
    EXPECT_EQ(firmware.memory().at(0x40), 0);
}

TEST(Firmware, PrefixStartsAFreshFrameInTheMiddleOfOne) {
    Firmware firmware;
    RecordingHost host;
    Bytes bytes(kGoodWrite.begin(), kGoodWrite.begin() + 12);
    bytes.insert(bytes.end(), kGoodWrite.begin(), kGoodWrite.end());

    EXPECT_EQ(host.send(firmware, bytes), acknowledgements(bytes.size()));
    EXPECT_EQ(memoryAt(firmware, 0x40, 2), (Bytes{0x11, 0x22}));
    EXPECT_EQ(firmware.counters().framesStarted, 2u);
    EXPECT_EQ(firmware.counters().framesAbandoned, 1u);
    EXPECT_EQ(firmware.counters().writeFrames, 1u);
}

TEST(Firmware, EnableAndUnknownCommandsAndSingleBytesAreAcknowledged) {
    Firmware firmware;
    RecordingHost host;
    EXPECT_EQ(host.send(firmware, {kEnable, 0xED, 0x00, 0x41, kFramePrefix, 0x10}), acknowledgements(6));
    EXPECT_EQ(firmware.counters().enables, 1u);
    EXPECT_EQ(firmware.counters().otherCommands, 1u);
    EXPECT_TRUE(host.replies.empty());
}

TEST(Firmware, ChecksumUpdateSumsFromAddressFourToTheImageLength) {
    Firmware firmware(0x5631);
    RecordingHost host;
    // Bytes 4-11, an image of 12 bytes (length 0x000C at 6-7), and a byte
    // beyond the image that the sum leaves out.
    host.send(firmware, writeFrame(0x0004, {0x10, 0x20, 0x00, 0x0C, 0xFF, 0x01, 0x02, 0x03, 0x77}));
    EXPECT_EQ(host.send(firmware, {kFramePrefix, kUpdateChecksumCommand}), acknowledgements(2));

    // 0x10 + 0x20 + 0x0C + 0xFF + 1 + 2 + 3 = 0x141.
    EXPECT_EQ(firmware.memory().checksum(), 0x0141);
    host.send(firmware, readFrame(0x0000, 4));
    EXPECT_EQ(host.replies.back(), "56310141" "15");
    EXPECT_EQ(firmware.counters().checksumUpdates, 1u);
}

struct EchoCase {
    const char* name;
    LineSettings keyboard;
    std::optional<LineObservation> line;
    bool answered;
};

class EchoAtSettings : public testing::TestWithParam<EchoCase> {};

TEST_P(EchoAtSettings, IsAnsweredOnlyWhenTheLineMatches) {
    const EchoCase& echo = GetParam();
    Firmware firmware;
    firmware.answerEchoOnlyAt(echo.keyboard);
    RecordingHost host;
    host.line = echo.line;

    EXPECT_EQ(host.send(firmware, {kEcho}), echo.answered ? Bytes{kEcho} : Bytes{});
    EXPECT_EQ(firmware.counters().echoesUnanswered, echo.answered ? 0u : 1u);
    // Other bytes are answered at any settings.
    EXPECT_EQ(host.send(firmware, {kEnable}), Bytes{kAcknowledge});
}

INSTANTIATE_TEST_SUITE_P(
    Firmware, EchoAtSettings,
    testing::Values(EchoCase{"SameBaudBothOdd", {1200, Parity::odd, 8}, LineObservation{1200, true}, true},
                    EchoCase{"SameBaudHostNotOdd", {1200, Parity::odd, 8}, LineObservation{1200, false}, false},
                    EchoCase{"OtherBaud", {1200, Parity::odd, 8}, LineObservation{9600, true}, false},
                    EchoCase{"EvenLooksLikeNone", {9600, Parity::even, 8}, LineObservation{9600, false}, true},
                    EchoCase{"NoneIsNotOdd", {9600, Parity::none, 7}, LineObservation{9600, true}, false},
                    EchoCase{"ChannelWithoutLine", {1200, Parity::odd, 8}, std::nullopt, true}),
    [](const testing::TestParamInfo<EchoCase>& parameter) { return std::string(parameter.param.name); });

TEST(Firmware, FramesStartedCountsEveryPrefix) {
    Firmware firmware;
    RecordingHost host;
    host.send(firmware, withWrongLastDigit(kGoodWrite, 15));
    host.send(firmware, kGoodWrite);
    host.send(firmware, {kFramePrefix, kUpdateChecksumCommand});
    const Counters& counters = firmware.counters();
    EXPECT_EQ(counters.framesStarted, 3u);
    EXPECT_EQ(counters.framesRefused, 1u);
    EXPECT_EQ(counters.framesCompleted, 2u);
    EXPECT_EQ(counters.bytesReceived, 2 * kGoodWrite.size() + 2);
}

}  // namespace
}  // namespace kbxsim::test
