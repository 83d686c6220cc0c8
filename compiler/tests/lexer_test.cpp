#include <gtest/gtest.h>

#include <array>

#include "compiler/diagnostics.h"
#include "compiler/line_cursor.h"
#include "compiler/normaliser.h"
#include "compiler/source_reader.h"
#include "tests/support/files.h"

namespace kbxc {
namespace {

NormalisedLine normalised(std::string_view physical) {
    NormalisedLine line;
    normaliseLine(physical, line);
    return line;
}

TEST(Normaliser, UpperCasesKeywordAndArgumentsButKeepsQuotedText) {
    const NormalisedLine line = normalised("a01 +s /k : \"Ab\\\"c\"  ! note\n");
    EXPECT_EQ(line.keyword, "A01");
    EXPECT_EQ(line.arguments, "+S/K:\"Ab\\\"c\"");
}

TEST(Normaliser, SkipsLeadingBlanksTabsAndHashes) {
    EXPECT_EQ(normalised("# TYPE MIRK\n").keyword, "TYPE");
    EXPECT_EQ(normalised("\t \t##LANGUAGE GR\n").keyword, "LANGUAGE");
}

TEST(Normaliser, BlanksAndCaseDoNotMatterOutsideQuotes) {
    const NormalisedLine a = normalised("LANGUAGE GR,S\n");
    const NormalisedLine b = normalised("language gr , s\n");
    EXPECT_EQ(a.keyword, b.keyword);
    EXPECT_EQ(a.arguments, b.arguments);
    EXPECT_EQ(a.arguments, "GR,S");
}

TEST(Normaliser, CommentAndMetadataLinesHaveNoKeyword) {
    EXPECT_EQ(normalised("!@KEYLAYER:Normal-Layer\n").keyword, "");
    EXPECT_EQ(normalised("\n").keyword, "");
    EXPECT_EQ(normalised("; something\n").keyword, "");
}

TEST(Normaliser, ExclamationMarkInsideQuotesIsText) {
    EXPECT_EQ(normalised("A01: \"x!y\" ! note\n").arguments, ":\"x!y\"");
}

TEST(Normaliser, KeywordEndsAtFirstNonAlphanumericCharacter) {
    const NormalisedLine line = normalised("HOTKEY0 -C: \"{MakeSYS}\"\n");
    EXPECT_EQ(line.keyword, "HOTKEY0");
    EXPECT_EQ(line.arguments, "-C:\"{MakeSYS}\"");
}

TEST(Normaliser, ZeroByteEndsTheLine) {
    const std::string physical("TYPE MI\0RK\n", 11);
    EXPECT_EQ(normalised(physical).arguments, "MI");
}

TEST(Normaliser, UnclosedQuoteRunsToTheLineEnd) {
    EXPECT_EQ(normalised("A01: \"ab c\n").arguments, ":\"ab c");
}

TEST(Normaliser, BytesAboveAsciiAreCopiedUnchanged) {
    EXPECT_EQ(normalised("A01: \x84\n").arguments, ":\x84");
}

struct NumberCase {
    const char* text;
    bool hexBase;
    long long value;
    const char* restAfter;
};

class NumberReader : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberReader, ReadsValueAndMovesBehindSuffixes) {
    const NumberCase& c = GetParam();
    std::string text = c.text;
    LineCursor cursor(text);
    Diagnostics diagnostics;
    EXPECT_EQ(readNumber(cursor, c.hexBase, diagnostics), c.value) << c.text;
    EXPECT_EQ(cursor.rest(), c.restAfter) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberReader,
    ::testing::Values(NumberCase{"250", false, 250, ""}, NumberCase{"7FH", false, 127, ""},
                      NumberCase{"127Z", false, 127, ""}, NumberCase{"7F", true, 127, ""},
                      NumberCase{"10", true, 16, ""}, NumberCase{"10Z", true, 10, ""},
                      NumberCase{"1FFH", false, -1, ""}, NumberCase{"123", true, -1, ""},
                      NumberCase{"", false, -1, ""}, NumberCase{",5", false, -1, "5"},
                      NumberCase{"33,40", false, 33, "40"}, NumberCase{"5H,,6", false, 5, "6"},
                      NumberCase{"99999999999999999999", false, kMaxNumber, ""},
                      NumberCase{"12X", false, 12, "X"}));

TEST(NumberReader, HexLetterWithoutSuffixIsReportedUnderDecimalBase) {
    std::string text = "7F";
    LineCursor cursor(text);
    Diagnostics diagnostics;
    EXPECT_EQ(readNumber(cursor, false, diagnostics), 0);
    EXPECT_EQ(diagnostics.errorCount(), 1);
}

TEST(FieldReader, ExactAndContainmentLookups) {
    constexpr std::array<std::string_view, 3> names{"38", "19", "96"};
    EXPECT_EQ(lookUp("19200", names, Match::containment), 1);
    EXPECT_EQ(lookUp("19200", names, Match::exact), kFieldUnknown);
    EXPECT_EQ(lookUp("96", names, Match::exact), 2);
    EXPECT_EQ(lookUp("", names, Match::exact), kFieldEmpty);
    EXPECT_EQ(lookUp("38196", names, Match::containment), 0);  // first entry in list order wins
}

TEST(FieldReader, ReadsUpToTheCommaAndMovesBehindIt) {
    std::string text = "COM,9600,,N";
    LineCursor cursor(text);
    EXPECT_EQ(cursor.readField(), "COM");
    EXPECT_EQ(cursor.readField(), "9600");
    EXPECT_EQ(cursor.readField(), "");
    EXPECT_EQ(cursor.readField(), "N");
    EXPECT_TRUE(cursor.atEnd());
    EXPECT_EQ(cursor.readField(), "");
}

std::vector<std::string> physicalLines(const std::string& contents) {
    kbxtest::TempDir folder;
    kbxtest::writeFile(folder / "s.kbf", contents);
    SourceReader reader;
    EXPECT_TRUE(reader.open((folder / "s.kbf").string()));
    std::vector<std::string> lines;
    for (std::string_view line; reader.next(line);) lines.emplace_back(line);
    return lines;
}

TEST(SourceReader, CrLfAndLfEndLinesAndTheCrIsNotPartOfTheLine) {
    EXPECT_EQ(physicalLines("A\r\nB\nC"), (std::vector<std::string>{"A\n", "B\n", "C"}));
}

TEST(SourceReader, LoneCrIsAnOrdinaryCharacter) {
    EXPECT_EQ(physicalLines("A\rB\n"), (std::vector<std::string>{"A\rB\n"}));
}

TEST(SourceReader, LongLinesArriveInPiecesOf199Characters) {
    const std::string longLine(250, 'x');
    const auto lines = physicalLines(longLine + "\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(199, 'x'));
    EXPECT_EQ(lines[1], std::string(51, 'x') + "\n");
}

TEST(SourceReader, LineOfExactly199CharactersLeavesItsLineEndAsALine) {
    const auto lines = physicalLines(std::string(199, 'y') + "\r\nZ\n");
    EXPECT_EQ(lines, (std::vector<std::string>{std::string(199, 'y'), "\n", "Z\n"}));
}

TEST(SourceReader, EmptyFileHasNoLines) { EXPECT_TRUE(physicalLines("").empty()); }

}  // namespace
}  // namespace kbxc
