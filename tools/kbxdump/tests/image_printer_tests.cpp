#include <gtest/gtest.h>

#include <string>

#include "kbxdump/image_printer.h"
#include "kbxdump/image_reader.h"
#include "tools/kbxdump/tests/image_builder.h"

namespace kbxdump::test {
namespace {

std::string printout(const Bytes& bytes) {
    const ReadResult result = readImage(bytes);
    EXPECT_TRUE(result.ok()) << result.error.message;
    return result.ok() ? formatImage(*result.image) : std::string();
}

// The text after the header and blocks: the "keys" line and what follows.
std::string keySection(const std::string& text) { return text.substr(text.find("\nkeys ") + 1); }

// The lines of one block, from its heading to the next line at column 1.
std::string blockSection(const std::string& text, const std::string& heading) {
    const std::size_t start = text.find(heading);
    if (start == std::string::npos) return "(no " + heading + ")";
    std::size_t end = text.find('\n', start);
    while (end != std::string::npos && end + 1 < text.size() && text[end + 1] == ' ') end = text.find('\n', end + 1);
    return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

TEST(ImagePrinter, PrintsTheImageOfTypeMirk) {
    EXPECT_EQ(printout(mirkBuilder().build()),
              "magic      \"Vyrn\"\n"
              "language   00: interface AT, CapsLock behaviour, language US\n"
              "serial     00: none\n"
              "length     317\n"
              "click      volume 85 (34 %), duration 2 (40 ms)\n"
              "alarm      volume 255 (100 %), duration 20 (400 ms)\n"
              "hotkey 0   00 04 54: [-C] code 54\n"
              "hotkey 1   04 04 54: [+C] code 54\n"
              "chain      304\n"
              "image      standard, data area from 304\n"
              "block 1 at 304, 4 bytes: model and modes\n"
              "  model    6 MIRK\n"
              "  mode A   BF: +T1 +T2 +T3 +MSR +FCR +KL -KVK +BCR\n"
              "  mode B   00: BA1 +EF +EC +SE -MCS -M3 +IEK\n"
              "  mode C   00: -MCO, slow output 0 D\n"
              "block 2 at 312, 1 byte: typematic rate\n"
              "  rate     2C: 10 per second, delay 500 ms\n"
              "keys       0 with definitions\n");
}

TEST(ImagePrinter, PrintsChangedHeaderSettings) {
    const std::string text = printout(ImageBuilder()
                                          .headerByte(4, 0x12)    // COM, CapsLock, GR
                                          .headerByte(5, 0x9A)    // INTERFACE COM:9600,N,8,H
                                          .headerByte(292, 84)    // SOUND 33,40,...
                                          .headerByte(296, 0x0A)  // hot key 0: +S+A ... E0 53
                                          .headerByte(297, 0x0E)
                                          .headerByte(298, 0xD3)
                                          .build());
    EXPECT_NE(text.find("language   12: interface COM, CapsLock behaviour, language GR\n"), std::string::npos);
    EXPECT_NE(text.find("serial     9A: 9600 baud, parity N, 8 data bits, RTS/CTS handshake\n"), std::string::npos);
    EXPECT_NE(text.find("click      volume 84 (33 %), duration 2 (40 ms)\n"), std::string::npos);
    EXPECT_NE(text.find("hotkey 0   0A 0E D3: [+S-C+A] code E0 53\n"), std::string::npos);
    EXPECT_NE(text.find("chain      none\n"), std::string::npos);
}

TEST(ImagePrinter, PrintsEveryRecordOfAKeyAndTheShortForms) {
    const Bytes bytes = mirkBuilder()
                            .key(0, {{0x02, 0x82, 0x00, {0x2A, 0x1E, 0x9E, 0xAA}}, {0x00, 0x80, 0x01, {0x1E, 0x9E}}})
                            .key(16, {{0x20, 0xA6, 0x1E, {0xE0, 0x4B}}, {0x80, 0x80, 0x00, {}}})
                            .shortForm(1, 0x1E)
                            .shortForm(128, 0xCB)
                            .build();
    EXPECT_EQ(keySection(printout(bytes)),
              "keys       4 with definitions\n"
              "key A01 index 0: 2 records\n"
              "  record 317 state 02 mask 82 attributes 00 [+S] bytes 2A 1E 9E AA\n"
              "  record 327 state 00 mask 80 attributes 01 [/K] bytes 1E 9E\n"
              "key A02 index 1: short form, make code 1E\n"
              "key B01 index 16: 2 records\n"
              "  record 335 state 20 mask A6 attributes 1E [-S-C+NL/A/P/M/R] bytes E0 4B\n"
              "  record 343 state 80 mask 80 attributes 00 [-K] bytes none\n"
              "key M1H index 128: short form, make code E0 4B\n");
}

TEST(ImagePrinter, NamesKeysForTheModelOfTheImage) {
    // HASK (model 0) has 12 columns: index 12 would be A13 and has no name.
    const std::string hask =
        printout(ImageBuilder().block(1, {0, 0xBF, 0, 0}).shortForm(12, 0x1E).shortForm(107, 0x1E).build());
    EXPECT_NE(hask.find("key ? index 12: short form"), std::string::npos);
    EXPECT_NE(hask.find("key G12 index 107: short form"), std::string::npos);

    // Without block 1 there is no model; pseudo keys keep their names.
    const std::string none = printout(ImageBuilder().shortForm(0, 0x1E).shortForm(141, 0x1E).build());
    EXPECT_NE(none.find("key ? index 0: short form"), std::string::npos);
    EXPECT_NE(none.find("key KLT index 141: short form"), std::string::npos);
}

TEST(ImagePrinter, PrintsAWideImageWithItsHighKeys) {
    const std::string text = printout(tarnBuilder().key(176, {{0x00, 0x80, 0x00, {0x1E}}}).shortForm(62, 0x30).build());
    EXPECT_NE(text.find("image      wide, key slots 158-189 at 304-367, data area from 400\n"), std::string::npos);
    EXPECT_NE(text.find("block 1 at 400, 4 bytes: model and modes\n  model    12 TARN\n"), std::string::npos);
    EXPECT_NE(text.find("key C21 index 62: short form, make code 30\n"), std::string::npos);
    EXPECT_NE(text.find("key G21 index 176: 1 record\n  record 413 state 00 mask 80 attributes 00 [] bytes 1E\n"),
              std::string::npos);
}

TEST(ImagePrinter, PrintsEveryKindOfParameterBlock) {
    Bytes many(20);
    for (std::size_t i = 0; i < many.size(); ++i) many[i] = std::uint8_t(i);
    const std::string text =
        printout(mirkBuilder()
                     .block(3, {0x01, '9', '6', '0', '0', ',', 'E', ',', '7', ',', '2', 0x04, 0x11})
                     .block(4, {0x1B, 0x40})
                     .block(5, {'E', 'r', 'r', '\\', '#'})
                     .block(6, {'a', 2, 0x1E, 0x9E, '"', 1, 0x28, 'c', 9, 1, 2})
                     .block(7, {0xAA})
                     .block(8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10})
                     .block(9, many)
                     .build());
    EXPECT_EQ(blockSection(text, "block 3 "),
              "block 3 at 317, 13 bytes: port settings\n"
              "  text     \"<01>9600,E,7,2<04><11>\"\n");
    EXPECT_EQ(blockSection(text, "block 4 "),
              "block 4 at 334, 2 bytes: port prefix\n"
              "  bytes    1B 40\n");
    EXPECT_EQ(blockSection(text, "block 5 "),
              "block 5 at 340, 5 bytes: reader error text\n"
              "  text     \"Err\\#\"\n");
    EXPECT_EQ(blockSection(text, "block 6 "),
              "block 6 at 349, 11 bytes: conversion entries\n"
              "  entry    61 \"a\", 2 bytes: 1E 9E\n"
              "  entry    22 \"<22>\", 1 byte: 28\n"
              "  rest     63 09 01 02\n");
    EXPECT_EQ(blockSection(text, "block 7 "),
              "block 7 at 364, 1 byte: unknown\n"
              "  data     AA\n");
    EXPECT_EQ(blockSection(text, "block 8 "),
              "block 8 at 369, 10 bytes: parameter entries\n"
              "  entry    01 02 03 04 05 06 07 08\n"
              "  rest     09 0A\n");
    EXPECT_EQ(blockSection(text, "block 9 "),
              "block 9 at 383, 20 bytes: unknown\n"
              "  data     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n"
              "  data     10 11 12 13\n");
}

TEST(ImagePrinter, ShowsABlockOfUnexpectedSizeAsData) {
    const std::string text = printout(ImageBuilder().block(1, {6, 0xBF}).block(2, {0x2C, 0}).build());
    EXPECT_EQ(blockSection(text, "block 1 "),
              "block 1 at 304, 2 bytes: model and modes\n"
              "  data     06 BF\n"
              "  note     expected 4 bytes\n");
    EXPECT_EQ(blockSection(text, "block 2 "),
              "block 2 at 310, 2 bytes: typematic rate\n"
              "  data     2C 00\n"
              "  note     expected 1 byte\n");
}

TEST(ImagePrinter, NamesAnUnknownModelNumber) {
    const std::string text = printout(ImageBuilder().block(1, {40, 0xBF, 0, 0}).build());
    EXPECT_NE(text.find("  model    40 (unknown model)\n"), std::string::npos);
}

}  // namespace
}  // namespace kbxdump::test
