#include <gtest/gtest.h>

#include <string>

#include "compiler/conversion/convert.h"
#include "compiler/source_reader.h"
#include "compiler/tests/compile_run.h"

namespace kbxtest {
namespace {

constexpr std::size_t kBound = kbxc::SourceReader::kMaxLine;

// A programming text of 178 characters, every other one a quote.
std::string textWithQuotes() {
    std::string text;
    for (std::size_t i = 0; text.size() < 178; ++i) text += i % 2 == 0 ? '"' : char('a' + i % 26);
    return text;
}

std::string escapedQuotes(const std::string& text) {
    std::string written;
    for (char c : text) written += c == '"' ? std::string("\\\"") : std::string(1, c);
    return written;
}

TEST(LongLines, EditorKeyLineWithEveryConditionAndAttributeCompilesWhole) {
    const std::string text = textWithQuotes();
    const std::string written = escapedQuotes(text);
    const std::size_t half = written.size() / 2 + 1;  // behind an escaped quote
    ASSERT_EQ(written[half - 1], '"');
    std::string line = "A01+SL+NL+CL+C+S+A+L+K/K/A/P/M/R/L: \"" + written.substr(0, half) + "\" , \"" +
                       written.substr(half) + "\" #92 ! ";
    line += std::string(700 - line.size(), '-');
    const CompileRun run = compile(line + "\r\nTYPE XY\r\n");

    // The whole line is one definition; the line after it is line 2.
    EXPECT_EQ(errorLines(run.log), (std::vector<std::string>{"ERROR (line 2): unknown type"}));
    const CompileRun valid = compile(line + "\r\n");
    ASSERT_EQ(valid.result, 0) << valid.log;
    kbxc::DefinitionBytes definition{0x7F, 0x7F, 0x3F};
    const kbxc::Conversion expected = kbxc::convertText(text + "\\", definition, true, {});
    ASSERT_EQ(expected.failure, kbxc::ConversionFailure::none);
    EXPECT_EQ(valid.records(0),
              (std::vector<CompileRun::Record>{{0x7F, 0x7F, 0x3F, {expected.bytes.begin(), expected.bytes.end()}}}));
}

TEST(LongLines, CommentAndCaptionLinesOfAnyLengthProduceNothing) {
    const std::string keys = "TYPE MIRK\r\nA01: \"a\"\r\n";
    const std::string comment = "! " + std::string(998, 'c') + "\r\n";
    std::string caption;
    for (std::size_t i = 0; caption.size() < 511; ++i) caption += "Brot; 1,5 kg TYPE A01 "[i % 22];
    const std::string keyPrint =
        "!@KEYPRINT:A01 \"" + caption + "\";1.00;1.00;0.00;3.00;  80FFFF;       0;190;0;0;0;0;Sans\r\n";
    const CompileRun plain = compile(keys);
    const CompileRun run = compile(comment + keyPrint + keys + comment + "TYPE XY\r\n");
    EXPECT_EQ(errorLines(run.log), (std::vector<std::string>{"ERROR (line 6): unknown type"}));
    const CompileRun valid = compile(comment + keyPrint + keys + comment);
    ASSERT_EQ(valid.result, 0) << valid.log;
    EXPECT_EQ(valid.log, "OK\n");
    EXPECT_EQ(valid.image, plain.image);
}

TEST(LongLines, ALineBeyondTheBoundIsReadInPiecesUnderItsOwnNumber) {
    // The second piece of line 1 starts with a directive of its own; the
    // pieces after it start with no keyword.
    const std::string line = "! " + std::string(kBound - 2, 'c') + "TYPE XY ! " + std::string(2 * kBound, '-') + "\n";
    const CompileRun run = compile(line + "TYPE ZZ\n");
    EXPECT_EQ(errorLines(run.log),
              (std::vector<std::string>{"ERROR (line 1): unknown type", "ERROR (line 2): unknown type"}));
    // The echo of the piece is the piece, no more.
    EXPECT_NE(run.log.find("001: TYPE XY ! " + std::string(kBound - 10, '-') + "\nERROR (line 1)"),
              std::string::npos);
}

std::string rawByteLine(int count) {
    std::string line = "A02:";
    for (int i = 0; i < count; ++i) line += " %65";
    return line + "\n";
}

TEST(LongLines, TheKeyboardLimitsOfADefinitionStay) {
    const CompileRun fits = compile(rawByteLine(239));
    ASSERT_EQ(fits.result, 0) << fits.log.substr(0, 200);
    EXPECT_EQ(fits.records(1).at(0).bytes.size(), 239u);
    EXPECT_EQ(errorLines(compile(rawByteLine(240)).log), (std::vector<std::string>{"ERROR (line 1): string too long"}));

    const std::string overlongText = "A01/C: \"" + std::string(241, 'x') + "\"\n";
    // 240 characters are collected, the rest is refused, and 240 bytes do
    // not fit.
    EXPECT_EQ(errorLines(compile(overlongText).log),
              (std::vector<std::string>{"ERROR (line 1): unknown sign. '\"#%' expected",
                                        "ERROR (line 1): string too long"}));
}

TEST(LongLines, AKeyLineBeyondTheBoundIsRefusedWithoutHarm) {
    const CompileRun run = compile("A01: \"" + std::string(3 * kBound, 'x') + "\"\nA03: \"a\"\n");
    EXPECT_EQ(run.result, -1);
    EXPECT_FALSE(run.imageWritten);
    const std::vector<std::string> errors = errorLines(run.log);
    ASSERT_FALSE(errors.empty());
    for (const std::string& error : errors) EXPECT_EQ(error.rfind("ERROR (line 1): ", 0), 0u) << error;
}

}  // namespace
}  // namespace kbxtest
