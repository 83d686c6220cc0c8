#include <gtest/gtest.h>

#include <random>

#include "editor/persist/tests/persist_fixture.h"
#include "tests/support/files.h"

namespace kbxdoc::testing {
namespace {

// After any input the document still writes, and what it writes reads back
// into the same file.
void expectStableAfterwards(PersistDocument& doc) {
    const std::string written = doc.text();
    PersistDocument copy;
    copy.layers = doc.layers;
    persist::readLayoutText(copy.context, written);
    const std::string again = copy.text();
    PersistDocument third;
    third.layers = copy.layers;
    persist::readLayoutText(third.context, again);
    EXPECT_EQ(third.text(), again);
}

TEST(HostileInput, RandomLinesNeverBreakTheReader) {
    std::mt19937 random(20261208);
    const std::string alphabet = "!@:;\"\\+-/ ,.0123456789ABCDEFGHKLMNPRSTXZabcx\t\x01\x80\xFF";
    const std::vector<std::string> starts{"",          "!@KEYPRINT:A01 \"", "!@KEYSIZE:A01 ", "!@KEYATTRIB:A01 ",
                                          "!@KEYLAYER:", "A01",              "M1H",            "MSR ",
                                          "MODE ",       "INTERFACE COM:",   "RATE ",          "!@KEYGLOBALPRINT:",
                                          "TYPE ",       "LANGUAGE ",        "SOUND "};
    PersistDocument doc;
    for (int line = 0; line < 3000; ++line) {
        std::string text = starts[random() % starts.size()];
        const std::size_t length = random() % 80;
        for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        doc.read(text);
    }
    EXPECT_LE(doc.keyboard->keptLines.size(), 1000u);
    expectStableAfterwards(doc);
}

TEST(HostileInput, RandomBytesAsAFile) {
    std::mt19937 random(7);
    std::string bytes(20000, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "noise.kbf", bytes);
    PersistDocument doc;
    EXPECT_TRUE(loadLayout(doc.context, (dir / "noise.kbf").string()));
    expectStableAfterwards(doc);
}

TEST(HostileInput, NulBytesEndALine) {
    PersistDocument doc;
    doc.read(std::string("MEMORY 64\0" "00 trailing", 20));
    EXPECT_EQ(doc.keyboard->memoryText, "64");
    doc.read(std::string("\0DEF hidden", 11));
    EXPECT_TRUE(doc.keyboard->keptLines.empty());
}

TEST(HostileInput, TenThousandLinesAndAVeryLongLine) {
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "A01-C-S-A-L/P: \"line " + std::to_string(i) + "\"\r\nDEF " + std::to_string(i) + "\n";
    text += std::string(5000, 'x') + "\r";
    text += "!@KEYPRINT:A01 \"" + std::string(5000, 'c') + "\";1;2;3;4;5;6;7;8;9;A;B;" + std::string(5000, 'f');
    PersistDocument doc;
    persist::readLayoutText(doc.context, text);
    EXPECT_EQ(doc.key("A01").layers[0].programming, "line 0");  // the others repeat the key: kept
    ASSERT_EQ(doc.keyboard->keptLines.size(), 1000u);
    EXPECT_EQ(doc.key("A01").caption.size(), 511u);
    EXPECT_EQ(doc.key("A01").captionSettings.font.faceName, std::string(31, 'f'));
    const std::vector<std::string> lines = doc.lines();
    for (const std::string& line : lines) EXPECT_LT(line.size(), kKeptLineField);
    expectStableAfterwards(doc);
}

TEST(HostileInput, NumbersThatOverflowLeaveTheFieldsAlone) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    doc.read("SOUND 99999999999999999999,1,2,3");
    EXPECT_EQ(k.clickVolume, 33);
    doc.read("SOUND -2147483648,2147483647,+5,-0");
    EXPECT_EQ(k.clickVolume, -2147483648);
    EXPECT_EQ(k.clickDuration, 2147483647);
    EXPECT_EQ(k.alarmVolume, 5);
    doc.read("!@KEYGLOBALPRINT:1e400;1;1;1;0;0;0;0;0;0;0;");
    EXPECT_DOUBLE_EQ(k.captionDefaults.leftMargin, 1.0);
    doc.read("!@KEYGLOBALPRINT:1;1;1;nan;0;0;0;0;0;0;0;");
    EXPECT_DOUBLE_EQ(k.captionDefaults.fontHeight, 6.333333333333333);
    doc.read("!@KEYGLOBALPRINT:1;1;1;1;FFFFFFFFFFFFFFFFF;0;0;0;0;0;0;");
    EXPECT_EQ(k.captionDefaults.keyColour, 0xFFFFFFu);
    doc.read("!@KEYGLOBALPRINT:1;1;1;1;0;0;0;100;0;0;0;");  // italic is one byte
    EXPECT_EQ(k.captionDefaults.font.italic, 0);
    doc.read("!@KEYSIZE:A01 1e308;1;1;1");
    EXPECT_LT(doc.key("A01").current.left, 1000.0);
    expectStableAfterwards(doc);
}

}  // namespace
}  // namespace kbxdoc::testing
