#include <gtest/gtest.h>

#include "compiler/tests/compile_run.h"

namespace kbxtest {
namespace {

std::vector<unsigned char> bytesOf(std::initializer_list<int> values) {
    std::vector<unsigned char> bytes;
    for (int v : values) bytes.push_back((unsigned char)v);
    return bytes;
}

TEST(Image, ModelOnlySourceGivesTheWholeDefaultImage) {
    const CompileRun run = compile("TYPE MIRK\n");
    ASSERT_EQ(run.result, 0) << run.log;
    std::vector<unsigned char> expected{'V', 'y', 'r', 'n', 0, 0, 0x01, 0x3D};
    expected.resize(292, 0);
    const auto tail = bytesOf({85, 2, 255, 20, 0, 4, 0x54, 4, 4, 0x54, 0x01, 0x30,  // sounds, hot keys, chain head
                               0x01, 0x38, 1, 3, 6, 0xBF, 0, 0,                       // block 1
                               0x01, 0x2E, 2, 0, 0x2C});                              // block 2
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(hex(run.image), hex(expected));
}

TEST(Image, SingleStandardSetDefinitionIsStoredInItsSlot) {
    const CompileRun run = compile("DEF/S\nA01: \"a\"\nA02: \"{Left}\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.slot(0), 0x001E);
    EXPECT_EQ(run.slot(1), 0x00CB);
    EXPECT_EQ(run.image.size(), 317u);
}

TEST(Image, DefinitionThatTheSlotCannotHoldGetsARecord) {
    // Two make codes, a raw byte above 0x7F and an empty assignment would lose
    // bytes (or the whole definition) in a slot.
    const CompileRun run = compile("DEF/S\nA01: \"ab\"\nA02: %200\nA03: \"{EMPTY}\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_GE(run.slot(0), 304);
    EXPECT_EQ(run.records(0)[0].bytes, bytesOf({0x1E, 0x30}));
    EXPECT_EQ(run.records(1)[0].bytes, bytesOf({200}));
    ASSERT_EQ(run.records(2).size(), 1u);
    EXPECT_TRUE(run.records(2)[0].bytes.empty());
}

TEST(Image, RecordsOfOneKeyAreContiguousAndLinked) {
    const CompileRun run = compile("A01+S: \"x\"\nA01: \"y\"\nA02: \"z\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    const int first = run.slot(0);
    EXPECT_EQ(first, 317);
    // The Shift definition starts with Shift down: the small letter releases
    // it and the end of the text presses it again.
    EXPECT_EQ(run.bytes(317, 10), bytesOf({0x01, 0x47, 0x02, 0x82, 0x00, 0xAA, 0x2D, 0xAD, 0x2A, 0x00}));
    EXPECT_EQ(run.bytes(327, 8), bytesOf({0, 0, 0, 0x80, 0, 0x15, 0x95, 0}));
    EXPECT_EQ(run.slot(1), 335);
    EXPECT_EQ(run.word(6), 343);
    EXPECT_EQ(run.image.size(), 343u);
}

TEST(Image, BlocksAreChainedInNumberOrderAndOnlyWhenFilled) {
    const CompileRun run = compile("PARA \"1,2,3,4,5,6,7,8\"\nMSR : \"E\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.word(302), 304);
    EXPECT_EQ(run.word(304), 312);
    EXPECT_EQ(run.word(312), 317);
    EXPECT_EQ(run.bytes(317, 5), bytesOf({0x01, 0x42, 5, 0, 'E'}));
    EXPECT_EQ(run.bytes(322, 4), bytesOf({0x01, 0x2E, 8, 7}));
    EXPECT_EQ(run.image.size(), 334u);
}

TEST(Image, MemoryLimitRefusesTheImage) {
    const std::string longText = "\"" + std::string(100, 'a') + "\"";
    const CompileRun run = compile("MEMORY 512\nA01: " + longText + "\nA02: " + longText + "\n");
    EXPECT_EQ(run.result, -1);
    EXPECT_FALSE(run.imageWritten);
    EXPECT_EQ(run.log, "FATAL: kbx-file to long\n");
}

TEST(Image, LimitCountsFiveBytesOfReserve) {
    // One record of 6 + 2 bytes after the 317 bytes of the defaults.
    EXPECT_EQ(compile("MEMORY 512\nA01: \"a\"\n").result, 0);
    const std::string keys = [] {
        std::string s;
        for (int c = 1; c <= 16; ++c) {
            char line[32];
            std::snprintf(line, sizeof line, "A%02d: \"abcdefgh\"\n", c);
            s += line;
        }
        return s;
    }();
    // 16 records of 22 bytes: 317 + 352 = 669; the limit is memory - 5.
    EXPECT_EQ(compile("MEMORY 674\n" + keys).result, 0);
    EXPECT_EQ(compile("MEMORY 673\n" + keys).result, -1);
}

TEST(Image, ParameterBlocksAloneCanExceedASmallMemory) {
    std::string source = "MEMORY 512\n";
    for (int i = 0; i < 31; ++i) source += "PARA \"1,2,3,4,5,6,7,8\"\n";
    source += "PORT 9600: \"" + std::string(150, 'p') + "\"\n";
    const CompileRun run = compile(source);
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(run.log, "FATAL: kbx-file to long\n");
}

TEST(Image, LengthBeyondSixteenBitsIsRefusedWhateverTheMemory) {
    std::string source = "MEMORY 99999999999\nTYPE KESP\n";
    const std::string text(110, 'a');
    for (char row = 'A'; row <= 'H'; ++row) {
        for (int column = 1; column <= 16; ++column) {
            for (const char* condition : {"", "+S", "+C", "+A"}) {
                char line[200];
                std::snprintf(line, sizeof line, "%c%02d%s: \"%s\"\n", row, column, condition, text.c_str());
                source += line;
            }
        }
    }
    const CompileRun run = compile(source);
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(run.log, "FATAL: kbx-file to long\n");
}

}  // namespace
}  // namespace kbxtest
