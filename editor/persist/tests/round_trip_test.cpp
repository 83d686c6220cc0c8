#include <gtest/gtest.h>

#include <filesystem>

#include "editor/document/catalogue.h"
#include "editor/persist/tests/persist_fixture.h"
#include "tests/support/files.h"

namespace kbxdoc::testing {
namespace {

// A document with something in every part the file carries.
void fillDocument(PersistDocument& doc) {
    KeyboardData& k = *doc.keyboard;
    k.interfaceName = "COM";
    k.baud = 19200;
    k.parity = "E";
    k.dataBits = 7;
    k.handshake = 1;
    k.clickVolume = 5;
    k.clickDuration = 6;
    k.alarmVolume = 7;
    k.alarmDuration = 8;
    k.rate = 10;
    k.delay = 250;
    k.slowKeyRate = "SLOW";
    k.languageCode = "GR";
    k.shiftLock = 0;
    k.capsLock = 1;
    k.hotkeyMode = 1;
    k.chainedKeyboardInit = 1;
    k.memoryText = "6400";
    k.keys[193].moduleOption1 = 0;
    k.keys[185].moduleOption1 = 2;
    k.keys[196].moduleOption1 = 0;
    k.msrLrc = 1;
    k.msrBadRead = "Karte \xC4";
    k.captionDefaults.leftMargin = 1.25;
    k.captionDefaults.font.weight = 700;
    k.captionDefaults.font.faceName = "Arial";
    k.width = 333.5;

    KeyRecord& a01 = doc.key("A01");
    a01.caption = "Sum\\lineTotal \xE4";
    a01.captionSettings.fontHeight = 5.5;
    a01.captionSettings.keyColour = 0x00FF00;
    a01.captionSettings.font.italic = 1;
    a01.captionSettings.font.faceName = "Courier New";
    a01.layers[0].programming = "{F1}\xFC";
    a01.layers[0].attributes = 0x0A96;
    a01.layers[1].programming = "say \\\"hi\\\"";
    a01.layers[4].programming = "{ENTER}";
    doc.key("B02").current.width += 19;
    doc.key("B02").current.left += 0.5;
    doc.key("C03").layers[5].programming = "always";
    doc.slot(199).layers[4].programming = "{POSMSR1}";
    doc.slot(198).layers[4].programming = "{POSMSR1}";
    doc.slot(198).layers[4].attributes = 0x0515;

    doc.layers[6].name = "Kasse";
    doc.layers[6].conditions = 0x8A85;
    doc.layers[6].defaultAttributes = 0x11;
    doc.key("A02").layers[6].programming = "cash";
    doc.key("A03").layers[6].programming = "more cash";

    k.keptLines = {"DEF /K/A", "PORT 1,\"pre\",\"suf\"", "! a comment"};
}

TEST(RoundTrip, WritingWhatWasReadGivesTheSameBytes) {
    PersistDocument original;
    fillDocument(original);
    const std::string first = original.text();

    PersistDocument copy;
    persist::readLayoutText(copy.context, first);
    EXPECT_EQ(copy.text(), first);
    PersistDocument third;
    persist::readLayoutText(third.context, copy.text());
    EXPECT_TRUE(*third.keyboard == *copy.keyboard);
    EXPECT_EQ(third.layers, copy.layers);

    EXPECT_EQ(copy.layers[6].name, "Kasse");
    EXPECT_EQ(copy.layers[6].conditions, 0x8A85u);
    EXPECT_EQ(copy.layers[6].defaultAttributes, 0x11u);
    EXPECT_EQ(copy.key("A01").caption, "Sum\\lineTotal \xE4");
    EXPECT_EQ(copy.key("A01").captionSettings, original.key("A01").captionSettings);
    EXPECT_EQ(copy.key("A01").layers[0], original.key("A01").layers[0]);
    EXPECT_EQ(copy.key("A01").layers[1], original.key("A01").layers[1]);
    EXPECT_EQ(copy.key("B02").current, original.key("B02").current);
    EXPECT_EQ(copy.slot(198).layers[4].attributes, 0x0515u);
    EXPECT_EQ(copy.keyboard->msrBadRead, "Karte \xC4");
    EXPECT_EQ(copy.keyboard->handshake, 1);
    EXPECT_EQ(copy.keyboard->keptLines, original.keyboard->keptLines);
}

TEST(RoundTrip, CaptionsWithQuotesAndBackslashesReadBackAsTyped) {
    for (const std::string caption : {"Sa\"g\" \\ ok", "\"", "\"\"", "a\\\"b", "\\\\\"x\"", "end\\\\", "\"\";1;2"}) {
        PersistDocument original;
        original.key("A01").caption = caption;
        original.key("A01").captionSettings.font.faceName = "Sans";
        PersistDocument copy;
        persist::readLayoutText(copy.context, original.text());
        EXPECT_EQ(copy.key("A01").caption, caption);
        EXPECT_EQ(copy.key("A01").captionSettings, original.key("A01").captionSettings) << caption;
    }
    // A backslash alone at the end starts no code; it is left out rather than
    // take the closing quote and the print settings with it.
    PersistDocument original;
    original.key("A01").caption = "C:\\";
    original.key("A01").captionSettings.fontHeight = 4.5;
    PersistDocument copy;
    persist::readLayoutText(copy.context, original.text());
    EXPECT_EQ(copy.key("A01").caption, "C:");
    EXPECT_DOUBLE_EQ(copy.key("A01").captionSettings.fontHeight, 4.5);
}

TEST(RoundTrip, CaptionsOfOlderFilesReadAsBefore) {
    PersistDocument doc;
    doc.read("!@KEYPRINT:A01 \"~\\line\\\\\";1.00;2.00;0.00;3.00;  FFFFFF;0;190;0;0;0;0;Sans");
    doc.read("!@KEYPRINT:A02 \"say \\\"hi\\\"\";1.00;2.00;0.00;3.00;  FFFFFF;0;190;0;0;0;0;Sans");
    EXPECT_EQ(doc.key("A01").caption, "~\\line\\\\");
    EXPECT_DOUBLE_EQ(doc.key("A01").captionSettings.topMargin, 2.0);
    EXPECT_EQ(doc.key("A02").caption, "say \\\"hi\\\"");
    EXPECT_EQ(doc.key("A02").captionSettings.font.faceName, "Sans");
}

TEST(RoundTrip, StatementsAFileLacksStayAwayUntilTheyAreChanged) {
    PersistDocument doc;
    persist::readLayoutText(doc.context, "RATE 10,250,F\r\nA01-C-S-A-L: \"ok\"\r\n");
    EXPECT_TRUE(doc.writes("RATE 10,250,F"));
    for (const char* statement : {"TYPE ", "SOUND ", "LANGUAGE ", "HOTKEY0 ", "MODE ", "MSR ", "INTERFACE "})
        EXPECT_EQ(doc.text().find(statement), std::string::npos) << statement;
    doc.keyboard->clickVolume = 50;
    EXPECT_TRUE(doc.writes("SOUND 50,40,100,400"));
    PersistDocument fresh;  // a document not read from a file writes every statement
    EXPECT_TRUE(fresh.writes("SOUND 33,40,100,400"));
}

TEST(RoundTrip, AResetDocumentSurvivesToo) {
    PersistDocument original;
    PersistDocument copy;
    persist::readLayoutText(copy.context, original.text());
    EXPECT_EQ(copy.text(), original.text());
}

TEST(RoundTrip, EveryModelWithAKeywordIsReadBack) {
    for (int model : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14}) {
        PersistDocument original;
        setModelAndLayOut(original.context, model, false);
        PersistDocument copy;
        persist::readLayoutText(copy.context, original.text());
        EXPECT_EQ(copy.keyboard->model, model);
        EXPECT_EQ(copy.text(), original.text()) << model;
    }
}

TEST(SaveAndLoad, FilesRoundTripAndLineEndsOfEveryKindAreRead) {
    kbxtest::TempDir dir;
    PersistDocument original;
    fillDocument(original);
    const std::string path = (dir / "layout.kbf").string();
    ASSERT_TRUE(saveLayout(original.context, path));
    const std::string saved = kbxtest::readFile(path);
    EXPECT_EQ(saved, original.text());

    for (const char* lineEnd : {"\n", "\r"}) {
        std::string converted;
        for (std::size_t i = 0; i < saved.size(); ++i) {
            if (saved.compare(i, 2, "\r\n") == 0) {
                converted += lineEnd;
                ++i;
            } else {
                converted += saved[i];
            }
        }
        kbxtest::writeFile(dir / "converted.kbf", converted);
        PersistDocument copy;
        copy.keyboard->keptLines = {"stale"};
        ASSERT_TRUE(loadLayout(copy.context, (dir / "converted.kbf").string()));
        EXPECT_EQ(copy.text(), saved) << (lineEnd[0] == '\n' ? "LF" : "CR");
    }
}

TEST(SaveAndLoad, SavingGivesKeysUnderAWideKeyItsProgramming) {
    kbxtest::TempDir dir;
    PersistDocument doc;
    KeyRecord& wide = doc.key("A01");
    wide.current.width = doc.key("A02").current.left + doc.key("A02").current.width - wide.current.left;
    wide.layers[0].programming = "wide";
    ASSERT_TRUE(saveLayout(doc.context, (dir / "wide.kbf").string()));
    EXPECT_EQ(doc.key("A02").layers[0].programming, "wide");
    EXPECT_NE(kbxtest::readFile(dir / "wide.kbf").find("A02-C-S-A-L/P: \"wide\""), std::string::npos);
}

TEST(SaveAndLoad, AFailedSaveReportsFailureAndLeavesWhatWasThere) {
    kbxtest::TempDir dir;
    PersistDocument doc;
    EXPECT_FALSE(saveLayout(doc.context, (dir / "missing" / "x.kbf").string()));
    std::filesystem::create_directory(dir / "taken");
    kbxtest::writeFile(dir / "taken" / "inside", "old");
    EXPECT_FALSE(saveLayout(doc.context, (dir / "taken").string()));
    EXPECT_EQ(kbxtest::readFile(dir / "taken" / "inside"), "old");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1u);  // no temporary file left behind
}

TEST(SaveAndLoad, AMissingFileChangesNothing) {
    PersistDocument doc;
    doc.keyboard->memoryText = "keep";
    EXPECT_FALSE(loadLayout(doc.context, "/nonexistent/layout.kbf"));
    EXPECT_EQ(doc.keyboard->memoryText, "keep");
}

TEST(SaveAndLoad, LoadingResetsTheDocumentAndClearsKeptLines) {
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "small.kbf", "RATE 1,2,FAST\r\nDEF new\r\n");
    PersistDocument doc;
    doc.keyboard->keptLines = {"DEF old"};
    doc.keyboard->clickVolume = 99;
    ASSERT_TRUE(loadLayout(doc.context, (dir / "small.kbf").string()));
    EXPECT_EQ(doc.keyboard->keptLines, std::vector<std::string>{"DEF new"});
    EXPECT_EQ(doc.keyboard->clickVolume, 33);
    EXPECT_EQ(doc.keyboard->rate, 1);
}

}  // namespace
}  // namespace kbxdoc::testing
