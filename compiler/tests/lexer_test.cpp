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

TEST(FieldReader, ContainmentFindsTheNameAnywhereInTheField) {
    EXPECT_TRUE(containsName("LANGUAGE", "LANG"));
    EXPECT_TRUE(containsName("HOTKEY0", "KEY"));
    EXPECT_TRUE(containsName("KKEY", "KEY"));  // after a false start
    EXPECT_TRUE(containsName("NABE2", "NABE2"));
    EXPECT_FALSE(containsName("KE", "KEY"));
    EXPECT_FALSE(containsName("KEX", "KEY"));
    EXPECT_FALSE(containsName("", "K"));
    EXPECT_TRUE(startsWithName("BA2-IEK", "BA2"));
    EXPECT_FALSE(startsWithName("B", "BA"));
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

// What the reader delivers: each text, marked "+" when it continues the
// physical line before it.
std::vector<std::string> physicalLines(const std::string& contents) {
    kbxtest::TempDir folder;
    kbxtest::writeFile(folder / "s.kbf", contents);
    SourceReader reader;
    EXPECT_TRUE(reader.open((folder / "s.kbf").string()));
    std::vector<std::string> lines;
    for (std::string_view line; reader.next(line);) lines.push_back((reader.continuesLine() ? "+" : "") + std::string(line));
    return lines;
}

long long countedLines(const std::string& contents) {
    kbxtest::TempDir folder;
    kbxtest::writeFile(folder / "s.kbf", contents);
    SourceReader reader;
    EXPECT_TRUE(reader.open((folder / "s.kbf").string()));
    return reader.countLines();
}

constexpr std::size_t kBound = SourceReader::kMaxLine;

TEST(SourceReader, CrLfAndLfEndLinesAndTheCrIsNotPartOfTheLine) {
    EXPECT_EQ(physicalLines("A\r\nB\nC"), (std::vector<std::string>{"A\n", "B\n", "C"}));
}

TEST(SourceReader, LoneCrIsAnOrdinaryCharacter) {
    EXPECT_EQ(physicalLines("A\rB\n"), (std::vector<std::string>{"A\rB\n"}));
}

TEST(SourceReader, LinesUpToTheBoundArriveWhole) {
    const std::string keyLine = "A01: \"" + std::string(700, 'x') + "\"";
    const std::string fullLine(kBound - 1, 'y');
    EXPECT_EQ(physicalLines(keyLine + "\r\n" + fullLine + "\r\n" + fullLine + "\n"),
              (std::vector<std::string>{keyLine + "\n", fullLine + "\n", fullLine + "\n"}));
}

TEST(SourceReader, LongerLinesArriveInPiecesOfTheBound) {
    const auto lines = physicalLines(std::string(2 * kBound + 50, 'x') + "\nZ");
    EXPECT_EQ(lines, (std::vector<std::string>{std::string(kBound, 'x'), "+" + std::string(kBound, 'x'),
                                               "+" + std::string(50, 'x') + "\n", "Z"}));
}

TEST(SourceReader, LineEndBehindAFullPieceContinuesItsLine) {
    const std::string full(kBound, 'y');
    EXPECT_EQ(physicalLines(full + "\r\nZ\n" + full + "\n"),
              (std::vector<std::string>{full, "+\n", "Z\n", full, "+\n"}));
}

TEST(SourceReader, LinesAcrossTheReadBufferArriveIntact) {
    // Lines of changing lengths, some over the bound, run over many refills
    // of the reader's buffer.
    std::string contents;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < 300; ++i) {
        const std::size_t length = (i * 977) % (kBound + 900);
        const std::string text(length, char('a' + i % 26));
        contents += text + (i % 3 == 0 ? "\r\n" : "\n");
        for (std::size_t at = 0; at + kBound <= length; at += kBound) {
            expected.push_back((at > 0 ? "+" : "") + text.substr(at, kBound));
        }
        const std::size_t tail = length - length % kBound;
        expected.push_back((tail > 0 ? "+" : "") + text.substr(tail) + "\n");
    }
    EXPECT_EQ(physicalLines(contents), expected);
}

TEST(SourceReader, CountsPhysicalLinesWhateverTheirLength) {
    EXPECT_EQ(countedLines("A\r\n" + std::string(3 * kBound + 7, 'x') + "\r\n\nB"), 4);
    EXPECT_EQ(countedLines(std::string(kBound, 'x') + "\n"), 1);
    EXPECT_EQ(countedLines(""), 0);
    EXPECT_EQ(countedLines("\n\n"), 2);
    // Lines across many refills of the read buffer, the last without a line end.
    std::string many;
    for (int i = 0; i < 5000; ++i) many += std::string(std::size_t(i % 97), 'y') + "\n";
    EXPECT_EQ(countedLines(many + "z"), 5001);
    EXPECT_EQ(countedLines(std::string(200000, 'w')), 1);
}

TEST(SourceReader, EmptyFileHasNoLines) { EXPECT_TRUE(physicalLines("").empty()); }

}  // namespace
}  // namespace kbxc
