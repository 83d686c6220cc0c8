#include <gtest/gtest.h>

#include <string>

#include "iface/protocol/frames.h"
#include "iface/tests/scripted_link.h"

namespace kbxi {
namespace {

using test::Bytes;

Bytes text(std::string_view characters) { return Bytes(characters.begin(), characters.end()); }

Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(Frames, WriteFrameCarriesAddressCountChecksumsAndDataDigits) {
    // Head digits 0,0,0,4,0,2 sum to 6; data digits 1,2,A,B sum to 0x18.
    EXPECT_EQ(writeFrame(0x0004, Bytes{0x12, 0xAB}),
              joined({{0xEF, 0x0F}, text("0004"), text("02"), text("06"), text("12AB"), text("18")}));
}

TEST(Frames, ReadFrameCarriesAddressCountAndTheirChecksum) {
    EXPECT_EQ(readFrame(0x1234, 16), joined({{0xEF, 0x0E}, text("1234"), text("10"), text("0B")}));
}

TEST(Frames, NibbleChecksumWrapsAtTwoHundredFiftySix) {
    // 128 digits F: 1920 = 7 * 256 + 128.
    const Bytes frame = writeFrame(0xFFFF, Bytes(64, 0xFF));
    ASSERT_EQ(frame.size(), 2u * 64 + 12);
    // Head: F,F,F,F and the count 4,0 sum to 64.
    EXPECT_EQ(Bytes(frame.begin() + 2, frame.begin() + 10), text("FFFF4040"));
    EXPECT_EQ(Bytes(frame.end() - 2, frame.end()), text("80"));
}

TEST(Frames, UpdateChecksumFrameIsTwoBytes) { EXPECT_EQ(updateChecksumFrame(), (Bytes{0xEF, 0x12})); }

TEST(Frames, SendingStopsAtTheFirstByteNotTaken) {
    test::ScriptedLink link;
    link.framedAnswer = [](std::size_t number, std::uint8_t) { return number == 3 ? 0x95 : 0; };
    EXPECT_EQ(sendFrame(link, readFrame(0, 16)), 0x95);
    EXPECT_EQ(link.framed.size(), 4u);
}

TEST(HexDigits, OnlyUpperCaseLettersAreDigits) {
    EXPECT_EQ(hexValue('0'), 0);
    EXPECT_EQ(hexValue('9'), 9);
    EXPECT_EQ(hexValue('A'), 10);
    EXPECT_EQ(hexValue('F'), 15);
    EXPECT_EQ(hexValue('a'), -1);
    EXPECT_EQ(hexValue('G'), -1);
    EXPECT_EQ(hexValue('\0'), -1);
}

// Reply text for the bytes 12 AB: data digits sum to 0x18.
constexpr std::string_view kGoodReply = "12AB18";

struct ReplyCase {
    const char* name;
    std::string reply;
    int serialError;   // the first error ends
    int captureError;  // the last error stands
};

class ReplyDecoding : public testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyDecoding, GivesTheBlockErrorOfEachRule) {
    const ReplyCase& c = GetParam();
    Bytes out(2);
    EXPECT_EQ(decodeReply(c.reply, out, ErrorRule::firstEnds), c.serialError);
    EXPECT_EQ(decodeReply(c.reply, out, ErrorRule::lastStands), c.captureError);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyDecoding,
    testing::Values(ReplyCase{"good", std::string(kGoodReply), 0, 0},
                    ReplyCase{"checksumHighWrong", "12AB28", 3, 3},
                    ReplyCase{"checksumLowWrong", "12AB19", 4, 4},
                    ReplyCase{"bothChecksumDigitsWrong", "12AB29", 3, 4},
                    ReplyCase{"letterNoDigit", "1GAB18", 5, 4},  // without G the sum is 0x16
                    ReplyCase{"lowerCaseIsNoDigit", "12ab18", 5, 4},
                    ReplyCase{"nulInData", std::string("1\0AB18", 6), 6, 4},
                    ReplyCase{"nulAsChecksumDigit", std::string("12AB1\0", 6), 6, 6},
                    ReplyCase{"notHexThenNul", std::string("1GAB1\0", 6), 5, 6}),
    [](const testing::TestParamInfo<ReplyCase>& param) { return param.param.name; });

TEST(ReplyDecoding, BuildsBytesHighDigitFirst) {
    Bytes out(2);
    ASSERT_EQ(decodeReply(kGoodReply, out, ErrorRule::firstEnds), 0);
    EXPECT_EQ(out, (Bytes{0x12, 0xAB}));
}

TEST(ReplyDecoding, NeverWritesPastTheOutput) {
    Bytes out(1);
    EXPECT_EQ(decodeReply(kGoodReply, out, ErrorRule::firstEnds), 0);
    EXPECT_EQ(out, Bytes{0x12});
}

TEST(ReplyKeys, TypedDigitsMapToTheirCharacters) {
    const std::string_view digits = "1234567890ABCDEF";
    const Bytes codes{0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,
                      0x0A, 0x0B, 0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21};
    for (std::size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(replyCharacter(codes[i]), digits[i]) << i;
    EXPECT_EQ(replyCharacter(0x00), '\0');
    EXPECT_EQ(hexValue(replyCharacter(0x1F)), -1);  // S types no digit
    EXPECT_EQ(hexValue(replyCharacter(0x82)), -1);  // a key release
}

}  // namespace
}  // namespace kbxi
