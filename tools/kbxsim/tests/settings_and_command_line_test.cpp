#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "kbxsim/line_settings.h"
#include "tools/kbxsim/command_line/command_line.h"
#include "tools/kbxsim/tests/recording_host.h"

namespace kbxsim::test {
namespace {

struct SettingsText {
    const char* text;
    std::optional<LineSettings> settings;
};

class SettingsTexts : public testing::TestWithParam<SettingsText> {};

TEST_P(SettingsTexts, ParseStrictly) {
    EXPECT_EQ(parseLineSettings(GetParam().text), GetParam().settings) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(LineSettings, SettingsTexts,
                         testing::Values(SettingsText{"9600,O,8", LineSettings{9600, Parity::odd, 8}},
                                         SettingsText{"1200,E,7", LineSettings{1200, Parity::even, 7}},
                                         SettingsText{"19200,N", LineSettings{19200, Parity::none, 8}},
                                         SettingsText{"300", LineSettings{300, Parity::odd, 8}},
                                         SettingsText{"", std::nullopt}, SettingsText{"0,O,8", std::nullopt},
                                         SettingsText{"9600,X,8", std::nullopt},
                                         SettingsText{"9600,o,8", std::nullopt},
                                         SettingsText{"9600,O,6", std::nullopt},
                                         SettingsText{"9600,O,8,1", std::nullopt},
                                         SettingsText{"9600,,8", std::nullopt},
                                         SettingsText{"99999999999999,O,8", std::nullopt},
                                         SettingsText{"9600 ,O,8", std::nullopt}));

TEST(LineSettings, FormatReadsBack) {
    const LineSettings settings{2400, Parity::even, 7};
    EXPECT_EQ(formatLineSettings(settings), "2400,E,7");
    EXPECT_EQ(parseLineSettings(formatLineSettings(settings)), settings);
}

ParsedCommandLine parse(std::vector<std::string_view> arguments) { return parseCommandLine(arguments); }

TEST(CommandLine, TakesEveryOptionOfTheHelp) {
    const ParsedCommandLine parsed =
        parse({"serial", "--link", "/tmp/kbd", "--settings=1200,O,8", "--line-rate", "--adapter-latency", "16",
               "--load", "a.kbx", "--save",
               "b.kbx", "--id", "00fF", "--verbose", "--lose-ack", "7", "--silent-from", "9", "--silent-for", "2",
               "--corrupt-reply", "checksum-low", "--corrupt-replies", "0", "--refuse-byte", "3"});
    ASSERT_EQ(parsed.error, "");
    const CommandLine& options = parsed.options;
    EXPECT_EQ(options.link, "/tmp/kbd");
    EXPECT_EQ(options.echoSettings, (LineSettings{1200, Parity::odd, 8}));
    EXPECT_TRUE(options.lineRate);
    EXPECT_EQ(options.adapterLatency, std::chrono::milliseconds(16));
    EXPECT_EQ(options.load, "a.kbx");
    EXPECT_EQ(options.save, "b.kbx");
    EXPECT_EQ(options.identification, 0x00FF);
    EXPECT_TRUE(options.verbose);
    EXPECT_EQ(options.loseAcknowledgement, 7u);
    EXPECT_EQ(options.silentFrom, 9u);
    EXPECT_EQ(options.silentFor, 2u);
    EXPECT_EQ(options.replyCorruption, (ReplyCorruption{ReplyDamage::wrongChecksumLow, 0}));
    EXPECT_EQ(options.corruptedReplies, FaultPlan::kEveryReply);
    EXPECT_EQ(options.refuseByte, 3u);
}

struct BadLine {
    std::vector<std::string_view> arguments;
    const char* error;
};

class BadCommandLines : public testing::TestWithParam<BadLine> {};

TEST_P(BadCommandLines, AreRefusedWithAMessage) {
    EXPECT_EQ(parseCommandLine(GetParam().arguments).error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, BadCommandLines,
    testing::Values(BadLine{{}, "no mode given (kbxsim serial ...)"},
                    BadLine{{"--link", "x"}, "no mode given (kbxsim serial ...)"},
                    BadLine{{"usb"}, "unexpected argument \"usb\""},
                    BadLine{{"serial", "serial"}, "unexpected argument \"serial\""},
                    BadLine{{"serial", "--lnk", "x"}, "unknown option --lnk"},
                    BadLine{{"serial", "--link"}, "option --link needs a value"},
                    BadLine{{"serial", "--link="}, "--link needs a path, not \"\""},
                    BadLine{{"serial", "--line-rate=1"}, "option --line-rate takes no value"},
                    BadLine{{"serial", "-x"}, "unknown option -x"},
                    BadLine{{"serial", "--", "--link"}, "unexpected argument \"--link\""},
                    BadLine{{"--help", "--id", "x"}, "--id needs four hex digits such as 5631, not \"x\""},
                    BadLine{{"serial", "--adapter-latency", "1001"},
                            "--adapter-latency needs milliseconds 0-1000, not \"1001\""},
                    BadLine{{"serial", "--id", "563"}, "--id needs four hex digits such as 5631, not \"563\""},
                    BadLine{{"serial", "--id", "56G1"}, "--id needs four hex digits such as 5631, not \"56G1\""},
                    BadLine{{"serial", "--settings", "9600,P,8"},
                            "--settings needs BAUD,PARITY,DATABITS such as 9600,O,8, not \"9600,P,8\""},
                    BadLine{{"serial", "--refuse-byte", "0"}, "--refuse-byte needs a byte number from 1 on, not \"0\""},
                    BadLine{{"serial", "--silent-for", "-2"}, "--silent-for needs a byte number from 1 on, not \"-2\""},
                    BadLine{{"serial", "--corrupt-replies", "x"},
                            "--corrupt-replies needs a count (0: every reply), not \"x\""},
                    BadLine{{"serial", "--language", "8"}, "--language needs a keyboard language 0-7, not \"8\""},
                    BadLine{{"serial", "--display", "2x24"},
                            "--display needs ROWS,COLUMNS such as 2,24 (at most 8,80), not \"2x24\""},
                    BadLine{{"serial", "--display", "9,24"},
                            "--display needs ROWS,COLUMNS such as 2,24 (at most 8,80), not \"9,24\""},
                    BadLine{{"serial", "--channel", "/tmp/k", "--do", "swipe"},
                            "--do needs module input (swipe needs one to three tracks), not \"swipe\""},
                    BadLine{{"serial", "--corrupt-reply", "bad"},
                            "--corrupt-reply needs KIND[:NUMBER] with KIND one of data, checksum-high, checksum-low, "
                            "nul, non-hex, short, long, not \"bad\""}));

TEST(CommandLine, KeyboardChannelOptionsAreKeptInOrder) {
    const ParsedCommandLine parsed = parse({"serial", "--channel", "/tmp/kb", "--language=3", "--do", "barcode 1",
                                            "--do", "swipe a b", "--display", "4,40"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.channel, "/tmp/kb");
    EXPECT_EQ(parsed.options.language, KeyboardLanguage::uk);
    EXPECT_EQ(parsed.options.input, (std::vector<std::string>{"barcode 1", "swipe a b"}));
    EXPECT_EQ(parsed.options.displayRows, 4u);
    EXPECT_EQ(parsed.options.displayColumns, 40u);
    EXPECT_EQ(parse({"serial"}).options.language, KeyboardLanguage::german);
}

// Every option that takes a value, with a value that changes the command line.
class OptionValues : public testing::TestWithParam<std::pair<std::string_view, std::string_view>> {};

TEST_P(OptionValues, FollowAfterAnEqualsSignOrAsTheNextArgument) {
    const auto [option, value] = GetParam();
    const std::string joined = std::string(option) + "=" + std::string(value);
    const ParsedCommandLine together = parse({"serial", "--channel=/tmp/kb", joined});
    const ParsedCommandLine apart = parse({"serial", "--channel", "/tmp/kb", option, value});
    ASSERT_EQ(together.error, "");
    ASSERT_EQ(apart.error, "");
    EXPECT_EQ(together.options, apart.options);
    EXPECT_FALSE(together.options == parse({"serial", "--channel=/tmp/kb"}).options) << option << " was not taken";
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, OptionValues,
    testing::Values(std::pair{"--link", "/tmp/ttyKBX"}, std::pair{"--settings", "9600,O,8"},
                    std::pair{"--adapter-latency", "16"}, std::pair{"--load", "in.kbx"},
                    std::pair{"--save", "out.kbx"}, std::pair{"--id", "1234"}, std::pair{"--language", "3"},
                    std::pair{"--do", "barcode 1"}, std::pair{"--display", "4,40"}, std::pair{"--refuse-byte", "2"},
                    std::pair{"--lose-ack", "3"}, std::pair{"--silent-from", "4"}, std::pair{"--silent-for", "5"},
                    std::pair{"--corrupt-reply", "short:2"}, std::pair{"--corrupt-replies", "3"}));

TEST(CommandLine, FaultsAreArmedFromTheFirstByte) {
    const ParsedCommandLine parsed = parse({"serial", "--refuse-byte", "2", "--silent-for", "1"});
    ASSERT_EQ(parsed.error, "");
    Firmware firmware;
    armFaults(parsed.options, firmware);
    RecordingHost host;
    EXPECT_EQ(host.send(firmware, {kEnable, kEnable, kEnable}), (std::vector<std::uint8_t>{kRefuse, kAcknowledge}));
}

TEST(CommandLine, RefuseAllWinsOverOneByte) {
    const ParsedCommandLine parsed = parse({"serial", "--refuse-byte", "2", "--refuse-all"});
    Firmware firmware;
    armFaults(parsed.options, firmware);
    RecordingHost host;
    EXPECT_EQ(host.send(firmware, {kEnable, kEnable, kEnable}), std::vector<std::uint8_t>(3, kRefuse));
}

}  // namespace
}  // namespace kbxsim::test
