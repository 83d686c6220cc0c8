// Text into the target image: columns, conversions, raw sequences.

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "posfunc/tests/display_recording.h"

namespace kbxfunc::test {
namespace {

using DisplayText = DisplayTest;

std::string targetRow(int row) {
    const auto& line = state().display.target[row];
    return std::string(line.begin(), line.begin() + state().display.columns);
}

TEST_F(DisplayText, TextBeyondTheLastColumnIsDropped) {
    EXPECT_EQ(write("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234", 1, 20), 0);
    EXPECT_EQ(targetRow(0), std::string(19, ' ') + "ABCDE");
    EXPECT_EQ(state().display.target[0][24], ' ') << "past the configured columns nothing changes";
}

TEST_F(DisplayText, TextBeforeTheFirstColumnIsDropped) {
    EXPECT_EQ(write("ABC", 1, 0), 0);
    EXPECT_EQ(targetRow(0).substr(0, 3), "BC ");
    EXPECT_EQ(write("XYZ", 2, INT_MIN), 0);
    EXPECT_EQ(write("XYZ", 2, INT_MAX), 0);
    EXPECT_EQ(targetRow(1), std::string(24, ' '));
}

TEST_F(DisplayText, AnsiTextIsConvertedToOemInTheCallersBuffer) {
    char text[] = "\xE4x";  // ä
    EXPECT_EQ(displayText(state(), text, 1, 1), 0);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 0x84);
    EXPECT_EQ(state().display.target[0][0], 0x84);
}

// A C program passes string literals, which lie in read-only pages: a text
// that the conversion leaves alone is only read.
TEST_F(DisplayText, AnUnchangedTextIsOnlyReadSoItMayBeReadOnly) {
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    void* page = ::mmap(nullptr, static_cast<std::size_t>(pageSize), PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(page, MAP_FAILED);
    std::strcpy(static_cast<char*>(page), "TOTAL 3,20");
    ASSERT_EQ(::mprotect(page, static_cast<std::size_t>(pageSize), PROT_READ), 0);
    EXPECT_EQ(displayText(state(), static_cast<char*>(page), 1, 1), 0);  // a write would end the test here
    EXPECT_EQ(targetRow(0).substr(0, 10), "TOTAL 3,20");
    ::munmap(page, static_cast<std::size_t>(pageSize));
}

TEST_F(DisplayText, OemTextIsConvertedToAnsiInTheCallersBuffer) {
    command("OEMTOANSI");
    char text[] = "\x84";
    EXPECT_EQ(displayText(state(), text, 1, 1), 0);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 0xE4);
    EXPECT_EQ(state().display.target[0][0], 0xE4);
}

TEST_F(DisplayText, GermanLettersGetTheDisplaysCodesAndTheBufferStays) {
    command("GERMAN");
    char text[] = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF" "a";
    const std::string before = text;
    EXPECT_EQ(displayText(state(), text, 1, 1), 0);
    EXPECT_EQ(std::string(text), before);
    EXPECT_EQ(targetRow(0).substr(0, 8), "\x81\x82\x83\x84\x85\x86\x87" "a");
}

TEST_F(DisplayText, WithoutConversionBytesStayAsTheyAre) {
    command("GERMANOFF");
    char text[] = "\xE4\x84";
    EXPECT_EQ(displayText(state(), text, 1, 1), 0);
    EXPECT_EQ(targetRow(0).substr(0, 2), "\xE4\x84");
}

TEST_F(DisplayText, FewerColumnsCutTheText) {
    command("SETCOLUM", 4);
    write("ABCDEF", 1, 1);
    EXPECT_EQ(targetRow(0), "ABCD");
    runUpdatePass(state());
    EXPECT_EQ(sent(), bytesOf({0xEC, 'A', 'B', 'C', 'D', 0x00}));
}

TEST_F(DisplayText, ANullTextOrANegativeRowFails) {
    EXPECT_EQ(displayText(state(), nullptr, 1, 1), 1);
    EXPECT_EQ(write("A", -1, 1), 1);
}

using DisplayData = RecordingTest;

TEST_F(DisplayData, ARawSequenceGoesOutBetweenItsMarkers) {
    installRecordingKbxi(true);
    EXPECT_EQ(sendRawDisplaySequence(state(), "\x01Hi"), 0);
    EXPECT_EQ(sent(), bytesOf({0xEC, 0x01, 'H', 'i', 0x00}));
    EXPECT_EQ(calls().back(), "send 00");
    EXPECT_TRUE(state().commands.bracketOpen) << "the closing 0x00 leaves the bracket open";
}

TEST_F(DisplayData, AFailedByteEndsTheSequenceWithItsResult) {
    recording().sendResult = [](std::size_t index, std::uint8_t) -> unsigned char { return index == 2 ? 7 : 0; };
    EXPECT_EQ(sendRawDisplaySequence(state(), "ABC"), 7);
    EXPECT_EQ(sent(), bytesOf({0xEC, 'A', 'B'}));
    EXPECT_EQ(sendRawDisplaySequence(state(), nullptr), 1);
}

}  // namespace
}  // namespace kbxfunc::test
