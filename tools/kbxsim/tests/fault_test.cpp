#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kbxsim/faults.h"
#include "tools/kbxsim/firmware/firmware.h"
#include "tools/kbxsim/tests/frames.h"
#include "tools/kbxsim/tests/recording_host.h"

namespace kbxsim::test {
namespace {

const Bytes kWrite = writeFrame(0x0040, {0x11, 0x22});

Bytes acknowledgements(std::size_t count) { return Bytes(count, kAcknowledge); }

TEST(Faults, RefusedByteIsAnsweredWithRefusalAndEndsTheFrame) {
    Firmware firmware;
    RecordingHost host;
    host.send(firmware, {kEnable});
    firmware.refuseBytes(3);  // the third byte from now: the first address digit

    const auto answers = host.send(firmware, kWrite);
    EXPECT_EQ(answers[2], kRefuse);
    EXPECT_EQ(Bytes(answers.begin(), answers.begin() + 2), acknowledgements(2));
    EXPECT_EQ(firmware.counters().framesRefused, 1u);
    EXPECT_EQ(firmware.memory().at(0x40), 0);

    // The host repeats the frame, which goes through.
    EXPECT_EQ(host.send(firmware, kWrite), acknowledgements(kWrite.size()));
    EXPECT_EQ(firmware.memory().at(0x40), 0x11);
}

TEST(Faults, RefusingEveryByteRefusesEachRepetitionAtItsPrefix) {
    Firmware firmware;
    RecordingHost host;
    firmware.refuseEveryByte();
    for (int attempt = 0; attempt < 12; ++attempt) EXPECT_EQ(host.send(firmware, {kFramePrefix}), Bytes{kRefuse});
    EXPECT_EQ(host.send(firmware, {kEcho}), Bytes{kRefuse});
    EXPECT_EQ(firmware.counters().framesStarted, 12u);
    EXPECT_EQ(firmware.counters().framesRefused, 12u);

    firmware.clearFaults();
    EXPECT_EQ(host.send(firmware, kWrite), acknowledgements(kWrite.size()));
}

TEST(Faults, LostAcknowledgementTakesTheByteButSendsNothing) {
    Firmware firmware;
    RecordingHost host;
    firmware.loseAnswers(kWrite.size());  // the last byte of the frame

    EXPECT_EQ(host.send(firmware, kWrite), acknowledgements(kWrite.size() - 1));
    EXPECT_EQ(firmware.memory().at(0x41), 0x22);
    EXPECT_EQ(firmware.counters().lostAnswers, 1u);
}

TEST(Faults, LostAcknowledgementOfAReadFrameStillSendsTheReply) {
    Firmware firmware;
    RecordingHost host;
    firmware.loseAnswers(10);
    EXPECT_EQ(host.send(firmware, readFrame(0x0000, 2)), acknowledgements(9));
    EXPECT_EQ(host.replies, std::vector<std::string>{"5631" "0F"});
}

TEST(Faults, SilenceFromAByteOnIgnoresEverythingAfter) {
    Firmware firmware;
    RecordingHost host;
    firmware.goSilent(2);
    EXPECT_EQ(host.send(firmware, {kEcho, kEcho, kEcho}), Bytes{kEcho});
    EXPECT_EQ(host.send(firmware, kWrite), Bytes{});
    EXPECT_EQ(firmware.memory().at(0x40), 0);
    EXPECT_EQ(firmware.counters().silentBytes, 2 + kWrite.size());
}

TEST(Faults, SilenceForSomeBytesEndsAndTheFirmwareGoesOnWhereItWas) {
    Firmware firmware;
    RecordingHost host;
    firmware.goSilent(1, 2);
    EXPECT_EQ(host.send(firmware, {kEcho, kEcho, kEcho}), Bytes{kEcho});

    // Bytes missed while silent leave a frame where it was: the host's
    // repetition from the prefix goes through.
    firmware.goSilent(3, 1);
    const auto answers = host.send(firmware, kWrite);
    EXPECT_EQ(answers.size(), kWrite.size() - 1);
    EXPECT_EQ(host.send(firmware, kWrite), acknowledgements(kWrite.size()));
    EXPECT_EQ(firmware.memory().at(0x40), 0x11);
}

TEST(Faults, CorruptedReplyAffectsOnlyAsManyRepliesAsAsked) {
    Firmware firmware;
    RecordingHost host;
    firmware.corruptReplies({ReplyDamage::wrongChecksumLow, 0}, 2);
    for (int i = 0; i < 3; ++i) host.send(firmware, readFrame(0x0000, 2));
    EXPECT_EQ(host.replies, (std::vector<std::string>{"5631" "00", "5631" "00", "5631" "0F"}));
    EXPECT_EQ(firmware.counters().corruptedReplies, 2u);
}

TEST(Faults, EveryReplyCanBeCorrupted) {
    Firmware firmware;
    RecordingHost host;
    firmware.corruptReplies({ReplyDamage::tooFew, 1}, FaultPlan::kEveryReply);
    for (int i = 0; i < 6; ++i) host.send(firmware, readFrame(0x0000, 2));
    for (const std::string& reply : host.replies) EXPECT_EQ(reply, "5631" "0");
}

TEST(Faults, PositionsCountFromTheNextByte) {
    Firmware firmware;
    RecordingHost host;
    host.send(firmware, Bytes(5, kEnable));
    firmware.refuseBytes(1, 2);
    EXPECT_EQ(host.send(firmware, Bytes(3, kEnable)), (Bytes{kRefuse, kRefuse, kAcknowledge}));
}

TEST(ByteWindow, CoversItsBytesOnly) {
    EXPECT_FALSE((ByteWindow{}).covers(1));
    const ByteWindow window{3, 2};
    EXPECT_FALSE(window.covers(2));
    EXPECT_TRUE(window.covers(3));
    EXPECT_TRUE(window.covers(4));
    EXPECT_FALSE(window.covers(5));
    EXPECT_TRUE((ByteWindow{7, ByteWindow::kForever}).covers(ByteWindow::kForever - 1));
}

// Reply "AB0116": data digits A B 0 1, checksum 16.
struct Damage {
    const char* name;
    ReplyCorruption corruption;
    std::string expected;
};

class ReplyDamages : public testing::TestWithParam<Damage> {};

TEST_P(ReplyDamages, SpoilTheReplyTextAsNamed) {
    EXPECT_EQ(corruptReply("AB0116", GetParam().corruption), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReplyDamages,
    testing::Values(Damage{"FirstDataDigit", {ReplyDamage::wrongDataDigit, 0}, "BB0116"},
                    Damage{"LastDataDigit", {ReplyDamage::wrongDataDigit, 3}, "AB0216"},
                    Damage{"DataDigitPastTheDataIsTheLast", {ReplyDamage::wrongDataDigit, 9}, "AB0216"},
                    Damage{"ChecksumHigh", {ReplyDamage::wrongChecksumHigh, 0}, "AB0126"},
                    Damage{"ChecksumLow", {ReplyDamage::wrongChecksumLow, 0}, "AB0117"},
                    Damage{"Nul", {ReplyDamage::nul, 2}, std::string("AB\0" "116", 6)},
                    Damage{"NonHex", {ReplyDamage::notHexDigit, 5}, "AB011G"},
                    Damage{"NonHexPastTheEndIsTheLast", {ReplyDamage::notHexDigit, 40}, "AB011G"},
                    Damage{"TooFew", {ReplyDamage::tooFew, 0}, "AB011"},
                    Damage{"TooFewByThree", {ReplyDamage::tooFew, 3}, "AB0"},
                    Damage{"TooMany", {ReplyDamage::tooMany, 2}, "AB011600"}),
    [](const testing::TestParamInfo<Damage>& parameter) { return std::string(parameter.param.name); });

TEST(Faults, ReplyWithoutDataSpoilsItsChecksumForADataDigit) {
    EXPECT_EQ(corruptReply("00", {ReplyDamage::wrongDataDigit, 0}), "10");
    EXPECT_EQ(corruptReply("00", {ReplyDamage::tooFew, 5}), "");
}

struct DamageText {
    const char* text;
    std::optional<ReplyCorruption> corruption;
};

class DamageTexts : public testing::TestWithParam<DamageText> {};

TEST_P(DamageTexts, ParseAsTheHelpSays) {
    EXPECT_EQ(parseReplyCorruption(GetParam().text), GetParam().corruption) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Faults, DamageTexts,
                         testing::Values(DamageText{"data:7", ReplyCorruption{ReplyDamage::wrongDataDigit, 7}},
                                         DamageText{"checksum-high", ReplyCorruption{ReplyDamage::wrongChecksumHigh, 0}},
                                         DamageText{"checksum-low", ReplyCorruption{ReplyDamage::wrongChecksumLow, 0}},
                                         DamageText{"nul:0", ReplyCorruption{ReplyDamage::nul, 0}},
                                         DamageText{"non-hex:3", ReplyCorruption{ReplyDamage::notHexDigit, 3}},
                                         DamageText{"short", ReplyCorruption{ReplyDamage::tooFew, 0}},
                                         DamageText{"long:4", ReplyCorruption{ReplyDamage::tooMany, 4}},
                                         DamageText{"data:", std::nullopt}, DamageText{"data:x", std::nullopt},
                                         DamageText{"data:-1", std::nullopt}, DamageText{"Data", std::nullopt},
                                         DamageText{"", std::nullopt},
                                         DamageText{"data:99999999999999999999999", std::nullopt}));

}  // namespace
}  // namespace kbxsim::test
