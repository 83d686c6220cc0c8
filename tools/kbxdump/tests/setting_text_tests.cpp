#include <gtest/gtest.h>

#include <string>

#include "tools/kbxdump/block_contents.h"
#include "tools/kbxdump/definition_text.h"
#include "tools/kbxdump/header_settings.h"
#include "tools/kbxdump/mode_bits.h"
#include "tools/kbxdump/text_format.h"

namespace kbxdump::test {
namespace {

struct ByteText {
    std::uint8_t value;
    const char* text;
};

TEST(HeaderSettings, DecodesTheLanguageByte) {
    const ByteText cases[] = {
        {0x00, "interface AT, CapsLock behaviour, language US"},
        {0x18, "interface AT, ShiftLock behaviour, language GR"},  // LANGUAGE GR
        {0x10, "interface AT, CapsLock behaviour, language GR"},   // LANGUAGE GR,C
        {0x29, "interface PC, ShiftLock behaviour, language FR"},
        {0x72, "interface COM, CapsLock behaviour, language SP"},
        {0x35, "interface 5 (unknown), CapsLock behaviour, language UK"},
        {0xC0, "interface AT, CapsLock behaviour, language SG, bit 7 set"},
    };
    for (const ByteText& c : cases) EXPECT_EQ(describeLanguageByte(c.value), c.text) << int(c.value);
}

TEST(HeaderSettings, DecodesTheSerialByte) {
    const ByteText cases[] = {
        {0x00, "none"},
        {0xE2, "9600 baud, parity O, 7 data bits, no handshake"},       // INTERFACE COM
        {0x9A, "9600 baud, parity N, 8 data bits, RTS/CTS handshake"},  // COM:9600,N,8,H
        {0xC0, "38400 baud, parity E, 7 data bits, no handshake"},
        {0xA7, "300 baud, parity M, 7 data bits, no handshake"},
        {0x1A, "none (bit 7 clear, other bits 1A)"},
    };
    for (const ByteText& c : cases) EXPECT_EQ(describeSerialByte(c.value), c.text) << int(c.value);
}

TEST(HeaderSettings, DecodesTheRateByte) {
    const ByteText cases[] = {
        {0x2C, "10 per second, delay 500 ms"},  // the default, RATE 10,500
        {0x00, "30 per second, delay 250 ms"},
        {0x44, "20 per second, delay 750 ms"},
        {0x7F, "2 per second, delay 1000 ms"},
        {0x05, "rate code 05 (unknown), delay 250 ms"},
        {0xAC, "10 per second, delay 500 ms, bit 7 set"},
    };
    for (const ByteText& c : cases) EXPECT_EQ(describeRateByte(c.value), c.text) << int(c.value);
}

TEST(HeaderSettings, GivesBackThePercentageAVolumeWasStoredFrom) {
    for (int percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(volumePercent(std::uint8_t(percent * 255 / 100)), percent);
    }
    EXPECT_EQ(durationMilliseconds(20), 400);
}

TEST(ModeBits, ShowsTheDefaultModeBytesAsModeItems) {
    EXPECT_EQ(describeModeByteA(0xBF), "+T1 +T2 +T3 +MSR +FCR +KL -KVK +BCR");
    EXPECT_EQ(describeModeByteB(0xBF, 0x00), "BA1 +EF +EC +SE -MCS -M3 +IEK");
    EXPECT_EQ(describeModeByteC(0x00), "-MCO, slow output 0 D");
}

TEST(ModeBits, ShowsTheModeLineOfTheEditor) {
    // MODE -MSR-BCR-FCR-KL+BA2-IEK
    EXPECT_EQ(describeModeByteA(0x47), "+T1 +T2 +T3 -MSR(NA) -FCR -KL +KVK -BCR");
    EXPECT_EQ(describeModeByteB(0x47, 0x41), "BA2 +EF +EC +SE -MCS -M3 -IEK");
}

TEST(ModeBits, NamesTheMsrItemsAndInvertedBits) {
    EXPECT_EQ(describeModeByteA(0xBA), "-T1(N1) +T2 -T3(N3) +MSR +FCR +KL -KVK +BCR");
    EXPECT_EQ(describeModeByteB(0x00, 0x3E), "BA1 -EF -EC -SE(NSE) +MCS(LRC) +M3 +IEK");
}

TEST(ModeBits, TellsEveryBaSetting) {
    EXPECT_EQ(describeModeByteB(0x40, 0x00).substr(0, 3), "BA0");
    EXPECT_EQ(describeModeByteB(0x00, 0x00).substr(0, 3), "BA1");
    EXPECT_EQ(describeModeByteB(0x40, 0x01).substr(0, 3), "BA2");
    EXPECT_EQ(describeModeByteB(0x00, 0x01), "no BA setting (B bit 0 without A bit 6) +EF +EC +SE -MCS -M3 +IEK");
    EXPECT_EQ(describeModeByteB(0x00, 0x80), "BA1 +EF +EC +SE -MCS -M3 +IEK bit 7 set");
}

TEST(ModeBits, NamesTheSlowOutputCodes) {
    const ByteText cases[] = {
        {32, "-MCO, slow output 32 F"},
        {36, "-MCO, slow output 36 M"},
        {63 | 0x80, "+MCO, slow output 63 V"},
        {44, "-MCO, slow output 44 S"},
        {17, "-MCO, slow output 17 (no letter)"},
    };
    for (const ByteText& c : cases) EXPECT_EQ(describeModeByteC(c.value), c.text) << int(c.value);
}

struct DefinitionCase {
    kbxc::DefinitionBytes bytes;
    const char* letters;
};

TEST(DefinitionText, WritesDefinitionBytesInSourceLetters) {
    const DefinitionCase cases[] = {
        {{0x00, 0x80, 0x00}, ""},                 // plain press
        {{0x20, 0xA6, 0x1E}, "-S-C+NL/A/P/M/R"},  // +NL-C-S/A/P/M/R
        {{0x00, 0x00, 0x1B}, "+K/K/A/M/R"},       // /S
        {{0x00, 0x00, 0x1F}, "+K/K/A/P/M/R"},     // /P/S
        {{0x80, 0x80, 0x00}, "-K"},               // release
        {{0x80, 0x00, 0x00}, "+K-K"},
        {{0x7F, 0xFF, 0x7F}, "+L+S+C+A+SL+NL+CL/K/A/P/M/R/L/C"},
        {{0x00, 0xFF, 0x00}, "-L-S-C-A-SL-NL-CL"},
        {{0x02, 0x80, 0x80}, ""},                 // untested state bit, unnamed attribute
    };
    for (const DefinitionCase& c : cases) {
        EXPECT_EQ(definitionLetters(c.bytes), c.letters)
            << int(c.bytes.state) << ' ' << int(c.bytes.mask) << ' ' << int(c.bytes.attributes);
    }
}

TEST(TextFormat, EscapesEveryByteThatDoesNotPrintAsItself) {
    const Bytes text{'a', ' ', '~', '"', '<', '>', 0x00, 0x1F, 0x7F, 0xE4};
    EXPECT_EQ(quotedText(text), "\"a ~<22><3C>><00><1F><7F><E4>\"");
    EXPECT_EQ(hexBytes(Bytes{}), "");
    EXPECT_EQ(hexBytes(Bytes{0x00, 0xAB}), "00 AB");
}

TEST(BlockContents, ReadsConversionEntriesUpToTheFirstBadOne) {
    const Bytes data{'a', 2, 0x1E, 0x9E, 'b', 8, 1, 2, 3, 4, 5, 6, 7, 8, 'c', 0, 'd'};
    const ConversionEntries contents = readConversionEntries(data);
    ASSERT_EQ(contents.entries.size(), 2u);
    EXPECT_EQ(contents.entries[0].character, 'a');
    EXPECT_EQ(contents.entries[0].bytes, (Bytes{0x1E, 0x9E}));
    EXPECT_EQ(contents.entries[1].bytes.size(), 8u);
    EXPECT_EQ(contents.rest, (Bytes{'c', 0, 'd'}));

    EXPECT_EQ(readConversionEntries(Bytes{'a', 3, 1, 2}).rest, (Bytes{'a', 3, 1, 2}));  // entry cut short
    EXPECT_EQ(readConversionEntries(Bytes{'a'}).rest, (Bytes{'a'}));
}

TEST(BlockContents, ReadsParameterEntriesOfEightBytes) {
    const ParameterEntries contents =
        readParameterEntries(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
    ASSERT_EQ(contents.entries.size(), 2u);
    EXPECT_EQ(contents.entries[1], (ParameterEntry{9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(contents.rest, (Bytes{17}));
}

}  // namespace
}  // namespace kbxdump::test
