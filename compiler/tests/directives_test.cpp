#include <gtest/gtest.h>

#include "compiler/tests/compile_run.h"
#include "format/image_layout.h"

namespace kbxtest {
namespace {

namespace img = kbx::image;

constexpr std::size_t kModelByte = 304 + 4;  // block 1 data when it is the first block
constexpr std::size_t kModeA = kModelByte + 1;
constexpr std::size_t kModeB = kModelByte + 2;
constexpr std::size_t kModeC = kModelByte + 3;

std::vector<unsigned char> bytesOf(std::initializer_list<int> values) {
    std::vector<unsigned char> bytes;
    for (int v : values) bytes.push_back((unsigned char)v);
    return bytes;
}

std::vector<unsigned char> textBytes(std::string_view text) { return {text.begin(), text.end()}; }

struct ByteCase {
    const char* source;
    std::size_t offset;
    int expected;
};

class DirectiveSetsByte : public ::testing::TestWithParam<ByteCase> {};

TEST_P(DirectiveSetsByte, ImageByteHoldsTheValue) {
    const ByteCase& c = GetParam();
    const CompileRun run = compile(c.source);
    ASSERT_EQ(run.result, 0) << c.source << "\n" << run.log;
    EXPECT_EQ(run.byte(c.offset), c.expected) << c.source;
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, DirectiveSetsByte,
    ::testing::Values(
        // model and defaults
        ByteCase{"TYPE HASK\n", kModelByte, 0}, ByteCase{"TYPE NABE2\n", kModelByte, 7},
        ByteCase{"TYPE LUMO\n", kModelByte, 6}, ByteCase{"TYPE GORMA\n", kModelByte, 5},
        ByteCase{"TYPE KESPW/X\n", kModelByte, 1}, ByteCase{"TYPE JALMW/X\n", kModelByte, 4},
        ByteCase{"TYPE TARN\n", kModelByte, 12}, ByteCase{"! nothing\n", kModelByte, 1},
        // language byte
        ByteCase{"LANGUAGE GR\n", img::kLanguageByteOffset, 0x18},
        ByteCase{"LANGUAGE GR,C\n", img::kLanguageByteOffset, 0x10},
        ByteCase{"LANGUAGE UK,S\n", img::kLanguageByteOffset, 0x38},
        ByteCase{"KBID SP\n", img::kLanguageByteOffset, 0x70},
        ByteCase{"INTERFACE PC\nLANGUAGE FR\n", img::kLanguageByteOffset, 0x29},
        ByteCase{"LANGUAGE SF\nINTERFACE COM\n", img::kLanguageByteOffset, 0x52},
        // serial byte
        ByteCase{"INTERFACE COM:9600,N,8,H\n", img::kSerialByteOffset, 0x9A},
        ByteCase{"INTERFACE COM\n", img::kSerialByteOffset, 0xE2},
        ByteCase{"INTERFACE COM:19200,E,7,\n", img::kSerialByteOffset, 0xC1},
        ByteCase{"INTERFACE COM:300,S\n", img::kSerialByteOffset, 0x87},
        ByteCase{"KBCI COM:1200,M,8\n", img::kSerialByteOffset, 0xB5},
        ByteCase{"INTERFACE COM:19200\nINTERFACE AT\n", img::kSerialByteOffset, 0xE1},
        ByteCase{"INTERFACE COM:19200\nINTERFACE AT\n", img::kLanguageByteOffset, 0},
        // sounds
        ByteCase{"SOUND 33,40,100,400\n", img::kClickVolumeOffset, 84},
        ByteCase{"SOUND 33,40,100,400\n", img::kClickDurationOffset, 2},
        ByteCase{"SOUND 33,40,100,400\n", img::kAlarmVolumeOffset, 255},
        ByteCase{"SOUND 33,40,100,400\n", img::kAlarmDurationOffset, 20},
        ByteCase{"SOUND ,,50\n", img::kAlarmVolumeOffset, 127},
        ByteCase{"SOUND ,,50\n", img::kClickVolumeOffset, 85},
        ByteCase{"SNDK 0,0\n", img::kClickVolumeOffset, 0},
        ByteCase{"SNDK 0,0\n", img::kClickDurationOffset, 0},
        ByteCase{"SNDA 10,100\n", img::kAlarmVolumeOffset, 25},
        ByteCase{"SNDA 10,100\n", img::kAlarmDurationOffset, 5},
        ByteCase{"SNDA 10,100\n", img::kClickVolumeOffset, 85},
        ByteCase{"SOUND 100,5119,100,5119\n", img::kClickDurationOffset, 255},
        ByteCase{"SOUND 100,5119,100,5119\n", img::kAlarmDurationOffset, 255},
        ByteCase{"SNDK 100,5119\n", img::kClickVolumeOffset, 255},
        ByteCase{"SNDK 100,5119\n", img::kClickDurationOffset, 255},
        // rate and slow output
        ByteCase{"RATE 10,500,M\n", kModelByte + 8, 0x2C}, ByteCase{"RATE 10,500,M\n", kModeC, 36},
        ByteCase{"RATE 30,250,D\n", kModelByte + 8, 0x00}, ByteCase{"RATE 2,1000,VERY\n", kModelByte + 8, 0x7F},
        ByteCase{"RATE 2,1000,VERY\n", kModeC, 63}, ByteCase{"RATE ,750,S\n", kModelByte + 8, 0x4C},
        ByteCase{"RATE 20,500,F\n", kModeC, 32},
        // mode bytes
        ByteCase{"MODE -MSR-BCR-FCR-KL+BA2-IEK\n", kModeA, 0x47},
        ByteCase{"MODE -MSR-BCR-FCR-KL+BA2-IEK\n", kModeB, 0x41},
        ByteCase{"MODE -T1,-T2,-T3\n", kModeA, 0xB8}, ByteCase{"MODE +BA1\n", kModeA, 0xBF & ~0x40},
        ByteCase{"MODE -BA0\n", kModeA, 0xFF}, ByteCase{"MODE -EF-EC-SE+MCS+M3\n", kModeB, 0x3E},
        ByteCase{"MODE +MCO\n", kModeC, 0x80}, ByteCase{"MODE -EF+EF\n", kModeB, 0},
        ByteCase{"MODE -KVK\n", kModeA, 0xBF & ~0x40},
        // reader options
        ByteCase{"MODE -T1-T2-T3\nMSR LRC,: \"Err\\#\"\n", kModeA, 0xBF},
        ByteCase{"MSR LRC,: \"Err\\#\"\n", kModeB, 0x10},
        ByteCase{"MSR NA,N2,NSE,M3,: \"\"\n", kModeA, 0xB5},
        ByteCase{"MSR NA,N2,NSE,M3,: \"\"\n", kModeB, 0x28},
        ByteCase{"MODE +MCS+M3\nMSR \n", kModeB, 0},
        // hot keys
        ByteCase{"HOTKEY0 : \"{EMPTY}\"\n", img::kHotKey0Offset + 1, 0},
        ByteCase{"HOTKEY0 : \"{EMPTY}\"\n", img::kHotKey0Offset + 2, 0},
        ByteCase{"HOTKEY1 +C: \"{MakeSYS}\"\n", img::kHotKey1Offset, 4},
        ByteCase{"HOTKEY1 +C: \"{MakeSYS}\"\n", img::kHotKey1Offset + 1, 4},
        ByteCase{"HOTKEY1 +C: \"{MakeSYS}\"\n", img::kHotKey1Offset + 2, 0x54},
        ByteCase{"HOTKEY0 : \"{Ctrl+Shift+F1}\"\n", img::kHotKey0Offset, 6},
        ByteCase{"HOTKEY0 : \"{Ctrl+Shift+F1}\"\n", img::kHotKey0Offset + 2, 0x3B},
        ByteCase{"HKX0 : \"{Del}\"\n", img::kHotKey0Offset + 2, 0xD3},
        ByteCase{"HOTKEY0 +K: \"{F2}\"\n", img::kHotKey0Offset + 1, 0}));

TEST(Directives, DefaultsOfAnEmptySourceWithOnlyComments) {
    const CompileRun run = compile("! only a comment\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.bytes(img::kClickVolumeOffset, 10), bytesOf({85, 2, 255, 20, 0, 4, 0x54, 4, 4, 0x54}));
    EXPECT_EQ(run.block(1), bytesOf({1, 0xBF, 0, 0}));
    EXPECT_EQ(run.block(2), bytesOf({0x2C}));
}

TEST(Directives, MemoryFollowsTheModelUnlessSetExplicitly) {
    // 36 keys of 206-byte records need more than 6400 bytes and less than 8000.
    const std::string bigKeys = [] {
        std::string s;
        for (char row = 'A'; row <= 'C'; ++row) {
            for (int column = 1; column <= 12; ++column) {
                char line[160];
                std::snprintf(line, sizeof line, "%c%02d: \"%s\"\n", row, column, std::string(100, 'a').c_str());
                s += line;
            }
        }
        return s;
    }();
    EXPECT_EQ(compile("TYPE KESP\n" + bigKeys).result, 0);
    EXPECT_EQ(compile("TYPE GORM\n" + bigKeys).result, -1);
    EXPECT_EQ(compile("MEMORY 9000\nTYPE GORM\n" + bigKeys).result, 0);
    EXPECT_EQ(compile("TYPE GORM\nMEMORY 9000\n" + bigKeys).result, 0);
    EXPECT_EQ(compile("MEMORY 4000\nTYPE HASK\n" + bigKeys).result, -1);
}

TEST(Directives, ReaderErrorTextIsKeptAsWritten) {
    const CompileRun run = compile("MSR LRC,: \"Err\\#\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.block(5), textBytes("Err\\#"));
}

TEST(Directives, PortBuildsSettingsTextAndPrefixBytes) {
    const CompileRun defaults = compile("PORT \n");
    ASSERT_EQ(defaults.result, 0) << defaults.log;
    EXPECT_EQ(defaults.block(3), textBytes("\x01" "9600,E,7,2\x04\x11"));
    EXPECT_TRUE(defaults.block(4).empty());

    const CompileRun run = compile("PORT 19200,N,8,1,NRTS, \"\\x02^b\\q9\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.block(3), textBytes("\x01" "19200,N,8,1\x04\x13"));
    EXPECT_EQ(run.block(4), bytesOf({0x02, 0x02, 'Q', '9'}));

    EXPECT_EQ(compile("PORT 2400,O\n").block(3), textBytes("\x01" "2400,O,7,2\x04\x11"));
    EXPECT_EQ(compile("PORT 192\n").block(3), textBytes("\x01" "19200,E,7,2\x04\x11"));
}

TEST(Directives, ConversionEntriesAppend) {
    const CompileRun run = compile("CONV \"'a\" = \"b\"\nCONV \"\\x41\" = \"{F1}\"\nCONV \"^c\" = \"x\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.block(6), bytesOf({'a', 2, 0x30, 0xB0, 0x41, 2, 0x3B, 0xBB, 3, 2, 0x2D, 0xAD}));
}

TEST(Directives, ConversionWithoutCharacterIsIgnored) {
    const CompileRun run = compile("CONV \"a\" = \"b\"\nCONV 'a = \"b\"\n");
    EXPECT_EQ(run.result, 0) << run.log;
    EXPECT_TRUE(run.block(6).empty());
}

TEST(Directives, ParameterEntriesOfEightCodes) {
    const CompileRun run = compile("PARA \"1,2,3,4,5,6,7,8\"\nPARA \"\\xFF 10 20 30 40 50 60 70\"\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.block(8), bytesOf({1, 2, 3, 4, 5, 6, 7, 8, 0xFF, 10, 20, 30, 40, 50, 60, 70}));
    EXPECT_TRUE(compile("PARA \"\"\n").block(8).empty());
}

TEST(Directives, BlocksStopGrowingAt255Bytes) {
    std::string source;
    for (int i = 0; i < 40; ++i) source += "PARA \"1,2,3,4,5,6,7,8\"\n";
    const CompileRun run = compile(source);
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.block(8).size(), 248u);
}

TEST(Directives, BaseSwitchesTheNumberReader) {
    const CompileRun run = compile("BASE H\nSOUND 64,28\nBASE Z\nSNDA 100,100\n");
    ASSERT_EQ(run.result, 0) << run.log;
    EXPECT_EQ(run.bytes(img::kClickVolumeOffset, 4), bytesOf({255, 2, 255, 5}));
}

TEST(Directives, VersionWithTheControllerMarkChoosesTheShortMacros) {
    const CompileRun full = compile("TYPE KESP\nA01: \"{KEY-LEFT}\"\n");
    const CompileRun shortTable = compile("VERSION  ZOVEZIZ  LAYOMAT 1.8\nTYPE KESP\nA01: \"{KEY-LEFT}\"\n");
    const CompileRun zod = compile("VERSION ZOD\nA01: \"{KEY-LEFT}\"\n");
    ASSERT_EQ(full.result, 0) << full.log;
    ASSERT_EQ(shortTable.result, 0) << shortTable.log;
    EXPECT_EQ(full.records(0).size(), 3u);
    EXPECT_EQ(shortTable.records(0).size(), 1u);
    EXPECT_EQ(zod.records(0).size(), 1u);
    EXPECT_EQ(compile("VERSION  LAYOMAT 1.8\nA01: \"{KEY-LEFT}\"\n").records(0).size(), 3u);
}

struct ErrorCase {
    const char* source;
    const char* message;
};

class DirectiveError : public ::testing::TestWithParam<ErrorCase> {};

// A reader error text and a port prefix one byte longer than a parameter block holds.
const std::string& tooLongReaderText() {
    static const std::string source = "MSR LRC,: \"" + std::string(256, 'e') + "\"\n";
    return source;
}
const std::string& tooLongPortPrefix() {
    static const std::string source = "PORT 9600, \"" + std::string(255, 'p') + "\\x01\"\n";
    return source;
}

TEST_P(DirectiveError, IsReportedAndSuppressesTheImage) {
    const ErrorCase& c = GetParam();
    const CompileRun run = compile(c.source);
    EXPECT_EQ(run.result, -1) << c.source;
    EXPECT_FALSE(run.imageWritten);
    const auto errors = errorLines(run.log);
    ASSERT_FALSE(errors.empty()) << c.source << "\n" << run.log;
    EXPECT_EQ(errors.front(), std::string("ERROR (line 1): ") + c.message) << c.source;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, DirectiveError,
    ::testing::Values(ErrorCase{"TYPE XY\n", "unknown type"}, ErrorCase{"TYPE\n", "unknown type"},
                      ErrorCase{"LANGUAGE XX\n", "unknown language"},
                      ErrorCase{"LANGUAGE GR,X\n", "unknown sign. 'S' or 'C' expected"},
                      ErrorCase{"INTERFACE USB\n", "unknown Interface"},
                      ErrorCase{"INTERFACE COM:11\n", "unknown baudrate"},
                      ErrorCase{"INTERFACE COM:9600,X\n", "unknown parity"},
                      ErrorCase{"INTERFACE COM:9600,N,9\n", "unknown datalengh"},
                      ErrorCase{"INTERFACE COM:9600,N,8,X\n", "unknown parameter 'H' expected"},
                      ErrorCase{"SOUND 50,0,100,400\n", "duration 0 not allowed (set volume to 0)"},
                      ErrorCase{"SOUND 50,40,100,0\n", "duration 0 not allowed (set volume to 0)"},
                      ErrorCase{"SNDX 1,2\n", "unknown SNDx-code"},
                      ErrorCase{"SOUND 100,5100,100,5120\n", "value out of range"},
                      ErrorCase{"SOUND 101,40\n", "value out of range"},
                      ErrorCase{"SNDK 50,5120\n", "value out of range"},
                      ErrorCase{"SNDA 101,100\n", "value out of range"},
                      ErrorCase{"BASE X\n", "unknown character, expect 'H' or 'Z'"},
                      ErrorCase{"HOTKEY2 : \"x\"\n", "wrong hotkeycode"},
                      ErrorCase{"MODE +XYZ\n", "unknown parameter"}, ErrorCase{"MODE T1\n", "unknown sign '+-'"},
                      ErrorCase{"RATE 15,500\n", "unknown typematic rate"},
                      ErrorCase{"RATE 10,600\n", "unknown delay code"}, ErrorCase{"RATE 10\n", "unknown delay code"},
                      ErrorCase{"RATE 10,500,X\n", "unknown slow output speed"},
                      ErrorCase{"MSR XX,: \"\"\n", "unknown parameter"},
                      ErrorCase{tooLongReaderText().c_str(), "string too long"},
                      ErrorCase{tooLongPortPrefix().c_str(), "string too long"},
                      ErrorCase{"PORT 9600,Q\n", "unknown parameter"},
                      ErrorCase{"CONV \"'a\" = \"\"\n", "Assignment conversion"},
                      ErrorCase{"CONV \"'a\" = \"abcde\"\n", "more than 8 Scancodes"},
                      ErrorCase{"PARA \"12345678\"\n", "PARAM - less than 8 codes"},
                      ErrorCase{"PARA \"1,2,3,4,5,6,7,8,9\"\n", "PARAM - more than 8 codes"},
                      ErrorCase{"PARA \"0,2,3,4,5,6,7,8\"\n", "PARAM - unknown"},
                      ErrorCase{"MEMORY 511\n", "MEMORY - check MEMORY size parameter"},
                      ErrorCase{"MEMORY\n", "MEMORY - check MEMORY size parameter"},
                      ErrorCase{"SOUND 7F\n", "unexpected hex figure"},
                      ErrorCase{"FOO 1\n", "unknown command"}, ErrorCase{"A101: \"x\"\n", "unknown command"}));

TEST(Directives, SoundDurationErrorLeavesTheAlarmAtItsDefaults) {
    const CompileRun run = compile("SOUND 50,0,100,400\n");
    EXPECT_EQ(errorLines(run.log).size(), 1u);
    EXPECT_NE(run.log.find("001: SOUND 50,0,100,400\n"), std::string::npos);
}

TEST(Directives, SoundValueOutOfRangeEndsTheLine) {
    for (const char* source : {"SOUND 101,0,100,400\n", "SOUND 100,5120,0,0\n", "SNDA 256,0\n"}) {
        EXPECT_EQ(errorLines(compile(source).log), (std::vector<std::string>{"ERROR (line 1): value out of range"}))
            << source;
    }
}

TEST(Directives, UnknownModeNameAlsoEndsTheLine) {
    const CompileRun run = compile("MODE +XYZ-MSR\n");
    EXPECT_EQ(errorLines(run.log),
              (std::vector<std::string>{"ERROR (line 1): unknown parameter", "ERROR (line 1): unknown sign '+-'"}));
}

TEST(Directives, UnknownLanguageStillReadsTheLockField) {
    const CompileRun run = compile("LANGUAGE XX,Q\n");
    EXPECT_EQ(errorLines(run.log), (std::vector<std::string>{"ERROR (line 1): unknown language",
                                                             "ERROR (line 1): unknown sign. 'S' or 'C' expected"}));
}

}  // namespace
}  // namespace kbxtest
