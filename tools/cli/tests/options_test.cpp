#include "cli/options.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

enum : int { kPort = 1, kQuiet, kCount };

constexpr std::array<cli::Option, 3> kOptions{{
    {"port", 'p', true, kPort},
    {"quiet", 'q', false, kQuiet},
    {"count", 0, true, kCount},
}};

cli::Parsed parseLine(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "tool");
    return cli::parse(static_cast<int>(arguments.size()), arguments.data(), kOptions);
}

TEST(CommandLineOptions, ValuesFollowAfterAnEqualsSignOrAsTheNextArgument) {
    for (const auto& line : {std::vector<const char*>{"--port=/dev/ttyS1", "A"},
                             std::vector<const char*>{"--port", "/dev/ttyS1", "A"},
                             std::vector<const char*>{"-p", "/dev/ttyS1", "A"},
                             std::vector<const char*>{"A", "-p/dev/ttyS1"}}) {
        const cli::Parsed parsed = parseLine(line);
        ASSERT_TRUE(parsed.ok()) << parsed.problem;
        EXPECT_EQ(parsed.valueOf(kPort), "/dev/ttyS1");
        EXPECT_EQ(parsed.operands, std::vector<std::string>{"A"});
    }
}

TEST(CommandLineOptions, OptionsAndOperandsMixAndTheOperandsKeepTheirOrder) {
    const cli::Parsed parsed = parseLine({"show", "-q", "first", "--count=2", "second"});
    ASSERT_TRUE(parsed.ok());
    EXPECT_TRUE(parsed.has(kQuiet));
    EXPECT_EQ(parsed.valueOf(kCount), "2");
    EXPECT_EQ(parsed.operands, (std::vector<std::string>{"show", "first", "second"}));
}

TEST(CommandLineOptions, TwoDashesEndTheOptions) {
    const cli::Parsed parsed = parseLine({"-q", "--", "--bogus", "-p"});
    ASSERT_TRUE(parsed.ok()) << parsed.problem;
    EXPECT_EQ(parsed.operands, (std::vector<std::string>{"--bogus", "-p"}));
    EXPECT_FALSE(parsed.has(kPort));
}

TEST(CommandLineOptions, HelpAndVersionAreKnownToEveryTool) {
    EXPECT_TRUE(parseLine({"-h"}).help);
    EXPECT_TRUE(parseLine({"x", "--help"}).help);
    EXPECT_TRUE(parseLine({"--version"}).version);
    EXPECT_EQ(cli::versionText("kbxdump").rfind("kbxdump ", 0), 0u);
}

TEST(CommandLineOptions, ProblemsNameTheOptionAsGiven) {
    EXPECT_EQ(parseLine({"--bogus", "A"}).problem, "unknown option --bogus");
    EXPECT_EQ(parseLine({"--bogus=1"}).problem, "unknown option --bogus");
    EXPECT_EQ(parseLine({"-x"}).problem, "unknown option -x");
    EXPECT_EQ(parseLine({"A", "--port"}).problem, "option --port needs a value");
    EXPECT_EQ(parseLine({"-p"}).problem, "option -p needs a value");
    EXPECT_EQ(parseLine({"--quiet=yes"}).problem, "option --quiet takes no value");
}

TEST(CommandLineOptions, AnAbbreviatedLongOptionIsTakenWhenItIsUnambiguous) {
    // getopt_long's own rule: a unique prefix names the option.
    EXPECT_EQ(parseLine({"--po=X"}).valueOf(kPort), "X");
}

TEST(CommandLineOptions, ASecondParseStartsAfresh) {
    ASSERT_FALSE(parseLine({"--bogus"}).ok());
    const cli::Parsed parsed = parseLine({"-q", "B"});
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.operands, std::vector<std::string>{"B"});
}

}  // namespace
