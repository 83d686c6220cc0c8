#include <gtest/gtest.h>

#include "compiler/key_lines.h"
#include "compiler/models.h"
#include "compiler/tests/compile_run.h"

namespace kbxtest {
namespace {

using Record = CompileRun::Record;

struct IndexCase {
    int model;
    const char* key;
    int index;  // -1: unknown keycode
};

class KeyIndex : public ::testing::TestWithParam<IndexCase> {};

TEST_P(KeyIndex, FollowsTheModelsNumbering) {
    const IndexCase& c = GetParam();
    EXPECT_EQ(kbxc::keyIndexForKeyword(c.model, c.key), c.index) << "model " << c.model << " " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Models, KeyIndex,
    ::testing::Values(IndexCase{0, "A01", 0}, IndexCase{0, "G12", 107}, IndexCase{0, "H01", -1},
                      IndexCase{0, "A13", -1}, IndexCase{0, "A00", -1}, IndexCase{1, "H16", 127},
                      IndexCase{1, "A17", -1}, IndexCase{6, "B01", 16}, IndexCase{4, "B01", 17},
                      IndexCase{4, "G17", 118}, IndexCase{4, "H01", -1}, IndexCase{5, "E16", 79},
                      IndexCase{5, "F01", -1}, IndexCase{8, "G05", 100}, IndexCase{10, "A06", -1},
                      IndexCase{2, "A05", 4}, IndexCase{2, "A06", 77}, IndexCase{2, "A13", 84},
                      IndexCase{2, "A14", -1}, IndexCase{2, "B14", 18}, IndexCase{2, "B15", 85},
                      IndexCase{2, "B23", -1}, IndexCase{2, "E23", 116}, IndexCase{2, "F23", 124},
                      IndexCase{2, "G01", -1}, IndexCase{3, "A06", 5}, IndexCase{3, "A07", -1},
                      IndexCase{7, "B15", 20}, IndexCase{9, "H16", 114}, IndexCase{9, "H17", -1},
                      IndexCase{11, "A01", 0}, IndexCase{11, "G08", 127}, IndexCase{11, "G09", 158},
                      IndexCase{11, "G20", 169}, IndexCase{12, "C21", 62}, IndexCase{12, "G21", 176},
                      IndexCase{12, "G22", -1}, IndexCase{3, "M1H", 128}, IndexCase{12, "KLT", 141},
                      IndexCase{0, "BCH", 134}, IndexCase{0, "FRT", 139}, IndexCase{0, "XYZ", -1}));

TEST(KeyLines, PseudoKeysKeepTheirIndexesOnEveryModel) {
    for (int model = 0; model < kbxc::kModelCount; ++model) {
        EXPECT_EQ(kbxc::keyIndexForKeyword(model, "M1H"), 128);
        EXPECT_EQ(kbxc::keyIndexForKeyword(model, "KLT"), 141);
    }
}

TEST(KeyLines, PlainLineGetsTheDefaultPressTrigger) {
    const CompileRun run = compile("A01: \"a\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.slot(0), 304 + 13);
    EXPECT_EQ(run.records(0), (std::vector<Record>{{0, 0x80, 0, {0x1E, 0x9E}}}));
}

TEST(KeyLines, ConditionsAndAttributesSetTheDefinitionBytes) {
    const CompileRun run = compile("A01+NL-C-S/A/P/M/R: \"a\"\nA02+K/K/L: \"a\"\nA03-K+SL+CL-A: \"a\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    ASSERT_EQ(run.records(0).size(), 1u);
    EXPECT_EQ(run.records(0)[0].state, 0x20);
    EXPECT_EQ(run.records(0)[0].mask, 0xA6);
    EXPECT_EQ(run.records(0)[0].attributes, 0x1E);
    EXPECT_EQ(run.records(1)[0].mask, 0x00);
    EXPECT_EQ(run.records(1)[0].attributes, 0x21);
    EXPECT_EQ(run.records(2)[0].state, 0xD0);
    EXPECT_EQ(run.records(2)[0].mask, 0xD8);
}

TEST(KeyLines, StandardSetKeepsProtectionAndClearsTheTrigger) {
    const CompileRun run = compile("A01/P/C/S+S: \"a\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    ASSERT_EQ(run.records(0).size(), 1u);
    EXPECT_EQ(run.records(0)[0].attributes, 0x1F);
    EXPECT_EQ(run.records(0)[0].mask, 0x02);
    EXPECT_EQ(run.records(0)[0].state, 0x02);
}

TEST(KeyLines, DefDefaultsApplyToEveryLaterLine) {
    const CompileRun run = compile("DEFINE /K-K\nA01: \"a\"\nDEF\nA02: \"a\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.records(0)[0].state, 0x80);
    EXPECT_EQ(run.records(0)[0].attributes, 0x01);
    EXPECT_EQ(run.records(1)[0].state, 0x00);
    EXPECT_EQ(run.records(1)[0].attributes, 0x00);
}

TEST(KeyLines, DefinitionsAreOrderedByMaskDescendingThenStateAscending) {
    const CompileRun run = compile("A01: \"y\"\nA01+S: \"x\"\nA01-S: \"w\"\nA01+K: \"v\"\nA01+C+S: \"u\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    std::vector<std::pair<int, int>> order;
    for (const Record& r : run.records(0)) order.emplace_back(r.mask, r.state);
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{0x86, 0x06}, {0x82, 0x00}, {0x82, 0x02}, {0x80, 0}, {0, 0}}));
}

TEST(KeyLines, SameConditionsWithOtherAttributesReplaceAndAreReported) {
    const CompileRun run = compile("A01: \"a\"\nA01/K: \"b\"\n");
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(errorLines(run.log), (std::vector<std::string>{"ERROR (line 2): multiple keyassignment"}));
}

TEST(KeyLines, MacroExpandsToItsRowsWithTheLinesKeyClick) {
    const CompileRun run = compile("A05/K: \"{KEY-LEFT}\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    const auto records = run.records(4);
    ASSERT_EQ(records.size(), 3u);
    for (const Record& r : records) EXPECT_EQ(r.attributes & 0x01, 0x01);
    // +K/A/P/M/R, then the two NumLock rows (+NL-C-S, with and without -K).
    EXPECT_EQ(records[0].mask, 0xA6);
    EXPECT_EQ(records[0].state, 0x20);
    EXPECT_EQ(records[0].attributes, 0x1F);
    EXPECT_EQ(records[1].mask, 0xA6);
    EXPECT_EQ(records[1].state, 0xA0);
    EXPECT_EQ(records[1].attributes, 0x1D);
    EXPECT_EQ(records[1].bytes, (std::vector<unsigned char>{0xE0, 0x4B, 0xE0, 0xAA}));
    EXPECT_EQ(records[2].mask, 0x00);
    EXPECT_EQ(records[2].attributes, 0x1F);
    EXPECT_EQ(records[2].bytes, (std::vector<unsigned char>{0xE0, 0x4B}));
}

TEST(KeyLines, MacroNameAnywhereInTheLineReplacesIt) {
    const CompileRun run = compile("A01: \"abc KEY-FN def\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    const auto records = run.records(0);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].bytes, (std::vector<unsigned char>{0xFC}));  // press: state 0 first
    EXPECT_EQ(records[1].bytes, (std::vector<unsigned char>{0xFD}));
}

TEST(KeyLines, TwoMacroRowsForOneKeyTwiceAreReportedAsMultipleDefinedKey) {
    const CompileRun run = compile("A01: \"{KEY-PAUSE}\"\nA01: \"{KEY-PAUSE}\"\n");
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(errorLines(run.log), (std::vector<std::string>{"ERROR (line 2): multiple defined key",
                                                             "ERROR (line 2): multiple defined key"}));
}

TEST(KeyLines, UnknownKeycodeStoresNothing) {
    const CompileRun run = compile("TYPE HASK\nH01: \"a\"\nA13: \"a\"\n");
    EXPECT_EQ(errorLines(run.log), (std::vector<std::string>{"ERROR (line 2): unknown keycode",
                                                             "ERROR (line 3): unknown keycode"}));
}

struct SyntaxCase {
    std::string line;
    std::vector<std::string> errors;
};

class KeyLineSyntax : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(KeyLineSyntax, ReportsEachFault) {
    const CompileRun run = compile(GetParam().line);
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(errorLines(run.log), GetParam().errors) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, KeyLineSyntax,
    ::testing::Values(SyntaxCase{"A01+X: \"a\"\n", {"ERROR (line 1): unknown layer chracter"}},
                      SyntaxCase{"A01/X: \"a\"\n", {"ERROR (line 1): unknown attribut"}},
                      SyntaxCase{"A01*S: \"a\"\n", {"ERROR (line 1): unknown sign. '/+-' expected"}},
                      SyntaxCase{"A01: \"a\" x\n", {"ERROR (line 1): unknown sign. '\"#%' expected"}},
                      SyntaxCase{"A01: \"{Foo}\"\n", {"ERROR (line 1): string conversion (scancode)"}},
                      SyntaxCase{"A01/C: \"{Foo}\"\n", {"ERROR (line 1): string conversion (ASCII)"}},
                      SyntaxCase{"A01: \"" + std::string(100, 'a') + "\" %65 \"" + std::string(30, 'b') + "\"\n",
                                 {"ERROR (line 1): string too long"}},
                      SyntaxCase{"A01: \"" + std::string(130, 'a') + "\"\n",  // 260 bytes: would be cut
                                 {"ERROR (line 1): string too long"}},
                      SyntaxCase{"A01: #7F\n", {"ERROR (line 1): unexpected hex figure"}}));

TEST(KeyLines, NumberItemsAndRawBytes) {
    const CompileRun run = compile("A01: \"a\" #98 %255 , \"b\"\nA02/C: #13 #10\nA03: %0 %1FH\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.records(0)[0].bytes, (std::vector<unsigned char>{0x1E, 0x9E, 0x30, 0xB0, 0xFF, 0x30, 0xB0}));
    EXPECT_EQ(run.records(1)[0].bytes, (std::vector<unsigned char>{13, 10}));
    EXPECT_EQ(run.records(2)[0].bytes, (std::vector<unsigned char>{0x1F}));
}

TEST(KeyLines, QuotedTextKeepsEscapedQuotes) {
    const CompileRun run = compile("A01/C: \"a\\\"b\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.records(0)[0].bytes, (std::vector<unsigned char>{'a', '"', 'b'}));
}

TEST(KeyLines, ResultAtTheLimitIsKeptAndOneMoreByteIsRefused) {
    // 120 + 1 + 118 = 239 bytes fit; a raw byte that would make 240 is refused.
    const std::string fits = "A01: \"" + std::string(60, 'x') + "\" %65 \"" + std::string(59, 'y') + "\"";
    const CompileRun run = compile(fits + "\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.records(0)[0].bytes.size(), 239u);
    const CompileRun over = compile(fits + " %66\n");
    EXPECT_EQ(errorLines(over.log), (std::vector<std::string>{"ERROR (line 1): string too long"}));
    EXPECT_EQ(over.records(0).size(), 0u);  // no image after an error
}

// Under MODE +GCA each text of a line goes out as characters when it can;
// a line whose texts go out as both characters and keystrokes is refused.
struct GlobalAsciiCase {
    std::string line;
    std::vector<Record> records;  // none: the line mixes
};

class GlobalAsciiLine : public ::testing::TestWithParam<GlobalAsciiCase> {};

TEST_P(GlobalAsciiLine, IsCharactersOrScanCodesThroughout) {
    const GlobalAsciiCase& c = GetParam();
    const CompileRun run = compile("MODE +GCA\n" + c.line + "\n");
    if (c.records.empty()) {
        EXPECT_EQ(errorLines(run.log),
                  (std::vector<std::string>{"ERROR (line 2): string conversion (ASCII and scancode mixed)"}))
            << c.line;
        EXPECT_FALSE(run.imageWritten);
        return;
    }
    ASSERT_EQ(run.result, 0) << c.line << "\n" << run.log;
    EXPECT_EQ(run.records(0), c.records) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GlobalAsciiLine,
    ::testing::Values(GlobalAsciiCase{"A01: \"{F1}\" %13 \"ab\"", {}}, GlobalAsciiCase{"A01: \"ab\" %13 \"{F1}\"", {}},
                      GlobalAsciiCase{"A01: \"ab\" %13 \"cd\"", {{0, 0x80, 0x40, {'a', 'b', 13, 'c', 'd'}}}},
                      GlobalAsciiCase{"A01: \"{F1}\" %13 \"{F2}\"", {{0, 0x80, 0, {0x3B, 0xBB, 13, 0x3C, 0xBC}}}},
                      GlobalAsciiCase{"A01/M: \"ab\" %13 \"{F1}\"", {{0, 0x80, 0x08, {0x1E, 0x30, 13, 0x3B}}}},
                      GlobalAsciiCase{"A01: %13 \"ab\"", {{0, 0x80, 0x40, {13, 'a', 'b'}}}},
                      GlobalAsciiCase{"A01: \"{F1}\" %13", {{0, 0x80, 0, {0x3B, 0xBB, 13}}}},
                      // A text that gives no bytes is of neither kind.
                      GlobalAsciiCase{"A01: \"{EMPTY}\" %13 \"ab\"", {{0, 0x80, 0x40, {13, 'a', 'b'}}}}));

TEST(KeyLines, WideModelsBuildTheWideImage) {
    const CompileRun run = compile("TYPE TARN\nG21: \"a\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.word(398), 0x012E);
    EXPECT_EQ(run.word(302), 400);
    EXPECT_EQ(run.slot(176), 400 + 13);
    EXPECT_EQ(run.records(176).size(), 1u);
}

}  // namespace
}  // namespace kbxtest
