#include "tools/kbxlayout/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace kbxlayout {
namespace {

Request parse(const std::vector<const char*>& arguments) { return parseArguments(arguments); }

TEST(CommandLine, HelpAnywhereWinsOverTheOperands) {
    EXPECT_EQ(parse({"--help"}).kind, Request::Kind::help);
    EXPECT_EQ(parse({"-h"}).kind, Request::Kind::help);
    EXPECT_EQ(parse({"show", "a.kbf", "b.kbf", "--help"}).kind, Request::Kind::help);
    EXPECT_EQ(parse({"--version"}).kind, Request::Kind::version);
}

TEST(CommandLine, ResaveAndShowTakeTheirFilesInOrder) {
    const Request resave = parse({"resave", "in.kbf", "out.kbf"});
    EXPECT_EQ(resave.kind, Request::Kind::resave);
    EXPECT_EQ(resave.input, "in.kbf");
    EXPECT_EQ(resave.output, "out.kbf");
    const Request show = parse({"show", "in.kbf"});
    EXPECT_EQ(show.kind, Request::Kind::show);
    EXPECT_EQ(show.input, "in.kbf");
    EXPECT_EQ(parse({"templates", "LAY"}).output, "LAY");
}

TEST(CommandLine, NewTakesItsOptionsInAnyOrderAroundTheOutput) {
    const Request request =
        parse({"new", "--opos", "out.kbf", "--template", "TarnA", "--glidepoint", "--country", "GR", "--templates", "T"});
    ASSERT_EQ(request.kind, Request::Kind::create) << request.problem;
    EXPECT_EQ(request.output, "out.kbf");
    EXPECT_EQ(request.options.templateName, "TarnA");
    EXPECT_EQ(request.options.country, "GR");
    EXPECT_EQ(request.options.templateFolder, "T");
    EXPECT_FALSE(request.options.model.has_value());
    EXPECT_TRUE(request.options.glidepoint);
    EXPECT_TRUE(request.options.opos);
}

TEST(CommandLine, AnOptionValueMayLookLikeAFileOrBeEmpty) {
    const Request request = parse({"new", "--model", "", "out.kbf"});
    ASSERT_EQ(request.kind, Request::Kind::create) << request.problem;
    EXPECT_EQ(request.options.model, "");
}

TEST(CommandLine, ALoneDashIsAFileName) {
    EXPECT_EQ(parse({"show", "-"}).input, "-");
}

TEST(CommandLine, OptionsOfNewAreNotTakenByTheOtherSubcommands) {
    const Request request = parse({"resave", "--opos", "a.kbf", "b.kbf"});
    EXPECT_EQ(request.kind, Request::Kind::usage);
    EXPECT_EQ(request.problem, "option --opos is for new only");
}

TEST(CommandLine, NewWithTwoOutputsIsRefused) {
    const Request request = parse({"new", "--model", "Tarn", "a.kbf", "b.kbf"});
    EXPECT_EQ(request.kind, Request::Kind::usage);
    EXPECT_EQ(request.problem, "new takes 1 file");
}

}  // namespace
}  // namespace kbxlayout
