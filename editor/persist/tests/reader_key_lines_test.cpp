#include <gtest/gtest.h>

#include "editor/document/opos_defaults.h"
#include "editor/persist/key_line_parser.h"
#include "editor/persist/tests/persist_fixture.h"

namespace kbxdoc::testing {
namespace {

TEST(KeyLineItems, ConditionsAndAttributesToWords) {
    struct Case {
        const char* line;
        std::uint32_t conditions;
        std::uint32_t attributes;
    };
    const Case cases[] = {
        {"A01-C-S-A-L/P: \"abc\"", 0x8A80, 0x10},
        {"A01-L+K/A/P/M/R: \"abc\"", 0x4AAA, 0x514},
        {"A01+SL-NL+CL: \"\"", 0xA46A, 0},
        {"A01/S", 0x6AAA, 0x505},
        {"A01/K/L", 0xAAAA, 0x41},
        {"A01+X/Q+S", 0xAAA9, 0},  // unknown letters skip two characters
        {"A01 +S", 0xAAA9, 0},     // blanks before the first item
        {"A01+S +C", 0xAAA9, 0},   // a blank ends the items
        {"A01+", 0xAAAA, 0},
    };
    for (const Case& c : cases) {
        const auto items = persist::readKeyLineItems(c.line, 3);
        EXPECT_EQ(items.conditions, c.conditions) << c.line;
        EXPECT_EQ(items.attributes, c.attributes) << c.line;
    }
}

TEST(KeyLineText, QuotesBackslashesAndControlCharacters) {
    struct Case {
        const char* line;
        bool taken;
        const char* text;
    };
    const Case cases[] = {
        {"A01: \"abc\"", true, "abc"},
        {"A01:\"a\\\"b\"", true, "a\\\"b"},
        {"A01: \"ends in a backslash\\\"", true, "ends in a backslash\\"},
        {"A01: \"stops\there\"", true, "stops"},
        {"A01: \"unclosed", true, "unclosed"},
        {"A01: \"a\"b\"", true, "a"},
        {"A01: abc", false, ""},
        {"A01 \"abc\"", false, ""},
    };
    for (const Case& c : cases) {
        std::string text;
        EXPECT_EQ(persist::readProgrammingText(c.line, 3, text), c.taken) << c.line;
        if (c.taken) {
            EXPECT_EQ(text, c.text) << c.line;
        }
    }
}

TEST(KeyLines, ExampleLinesLandOnTheirLayers) {
    PersistDocument doc;
    doc.read("A01-C-S-A-L/P: \"abc\"");
    doc.read("A01-L+K/A/P/M/R: \"\x84\x81\"");
    const KeyRecord& key = doc.key("A01");
    EXPECT_EQ(key.layers[0].programming, "abc");
    EXPECT_EQ(key.layers[0].attributes, 0x10u);
    EXPECT_EQ(key.layers[4].programming, "\xE4\xFC");  // OEM to the model's code page
    EXPECT_EQ(key.layers[4].attributes, 0x514u);
    EXPECT_EQ(doc.state.currentLayer, 4);
    EXPECT_EQ(doc.layers, defaultLayerTable());
}

TEST(KeyLines, PseudoKeysByName) {
    PersistDocument doc;
    doc.read("M1H-L+K/A/P/R: \"{POSMSR1}\"");
    doc.read("KLT-L+K/A/P/R: \"{POSKeylock}\"");
    EXPECT_EQ(doc.slot(199).layers[4].programming, "{POSMSR1}");
    EXPECT_EQ(doc.slot(186).layers[4].programming, "{POSKeylock}");
}

TEST(KeyLines, TheFunctionKeyLayerBitOfAnyIsNotCompared) {
    PersistDocument doc;
    // No L condition: 0xAA80 differs from Normal-Layer's 0x8A80 only in bit 13.
    doc.read("A01-C-S-A: \"x\"");
    EXPECT_EQ(doc.key("A01").layers[0].programming, "x");
    EXPECT_EQ(doc.layers[0].conditions, 0xAA80u);
}

TEST(KeyLines, LinesWithoutAKeyAreKeptUnchanged) {
    PersistDocument doc;
    doc.read("Z01-C-S-A-L/P: \"abc\"");
    doc.read("A30-C-S-A-L/P: \"abc\"");
    doc.read("a01: \"lower case\"");
    doc.read("PORT 1: \"pre\"");
    doc.read("   ");
    EXPECT_EQ(doc.keyboard->keptLines,
              (std::vector<std::string>{"Z01-C-S-A-L/P: \"abc\"", "A30-C-S-A-L/P: \"abc\"", "a01: \"lower case\"",
                                        "PORT 1: \"pre\"", "   "}));
}

TEST(KeyLines, ALineWithoutTextSetsTheAttributesAndKeepsTheText) {
    PersistDocument doc;
    doc.key("A01").layers[0].programming = "old";
    doc.read("A01-C-S-A-L/K");
    EXPECT_EQ(doc.key("A01").layers[0].programming, "old");
    EXPECT_EQ(doc.key("A01").layers[0].attributes, 0x1u);
    EXPECT_TRUE(doc.keyboard->keptLines.empty());
}

TEST(KeyLines, ProgrammingTextIsCutToTheField) {
    PersistDocument doc;
    doc.read("A01-C-S-A-L: \"" + std::string(300, 'p') + "\"");
    EXPECT_EQ(doc.key("A01").layers[0].programming, std::string(179, 'p'));
}

TEST(LayerMatching, APendingNameWaitsForTheFirstLineThatNeedsANewLayer) {
    PersistDocument doc;
    doc.read("!@KEYLAYER:Kasse");
    doc.read("A01-C-S-A-L/P: \"matches Normal-Layer\"");
    EXPECT_EQ(doc.state.pendingLayerName, "Kasse");
    doc.read("A02+S+C-A-L/K/A: \"new\"");
    EXPECT_EQ(doc.layers[6].name, "Kasse");
    EXPECT_EQ(doc.layers[6].conditions, 0x8A85u);
    EXPECT_EQ(doc.layers[6].defaultAttributes, 0x5u);
    EXPECT_EQ(doc.key("A02").layers[6].programming, "new");
    EXPECT_TRUE(doc.state.pendingLayerName.empty());
    doc.read("A03+S+C-A-L/P: \"same layer\"");
    EXPECT_EQ(doc.key("A03").layers[6].programming, "same layer");
    EXPECT_EQ(doc.layers[6].defaultAttributes, 0x5u);
    EXPECT_TRUE(doc.layers[7].name.empty());
}

TEST(LayerMatching, WithoutAPendingNameTheNewLayerIsNamedByItsConditions) {
    PersistDocument doc;
    doc.read("A01+S-C+CL-NL+L-K: \"x\"");
    EXPECT_EQ(doc.layers[6].name, "ScxCnxLk");
    doc.read("A01+A+SL: \"y\"");
    EXPECT_EQ(doc.layers[7].name, "xxAxxSxx");
}

TEST(LayerMatching, AReservedPendingNameGetsTheTemporarySuffix) {
    PersistDocument doc;
    doc.read("!@KEYLAYER:Shift-Layer");
    doc.read("A01+A+C: \"x\"");
    EXPECT_EQ(doc.layers[6].name, "Shift-Layertemp");
}

TEST(LayerMatching, WithAllSixteenLayersInUseAnUnmatchedLineIsKept) {
    PersistDocument doc;
    for (int i = 6; i < kLayerCount; ++i) {
        doc.layers[i].name = "L" + std::to_string(i);
        doc.layers[i].conditions = 0x0AAA + static_cast<std::uint32_t>(i);
    }
    const LayerTable before = doc.layers;
    const std::string line = "A01+S+C+A+SL+NL+CL: \"seventeenth\"";
    doc.read(line);
    EXPECT_EQ(doc.layers, before);
    for (const LayerEntry& entry : doc.key("A01").layers) EXPECT_NE(entry.programming, "seventeenth");
    EXPECT_EQ(doc.keyboard->keptLines, std::vector<std::string>{line});
    const std::vector<std::string> written = doc.lines();
    EXPECT_EQ(written.back(), line);

    doc.read("A01-C-S-A-L: \"matched\"");  // a line that matches still lands
    EXPECT_EQ(doc.key("A01").layers[0].programming, "matched");
}

TEST(KeyLines, OposDefaultsLandOnTheStdKeyLayerOfThePseudoKeys) {
    PersistDocument doc;
    applyOposDefaults([&doc](std::string_view line) { doc.read(line); });
    constexpr int kStdKeyLayer = 4;
    EXPECT_EQ(doc.slot(199).layers[kStdKeyLayer].programming, "{POSMSR1}");
    EXPECT_EQ(doc.slot(199).layers[kStdKeyLayer].attributes, 0x414u);
    EXPECT_EQ(doc.slot(192).layers[kStdKeyLayer].programming, "{POSBarcode}");
    EXPECT_EQ(doc.slot(191).layers[kStdKeyLayer].programming, "{POSFC}");
    EXPECT_EQ(doc.slot(188).layers[kStdKeyLayer].programming, "{POSFC}");
    EXPECT_TRUE(doc.slot(190).layers[kStdKeyLayer].programming.empty());
    EXPECT_EQ(doc.keyboard->msrBadRead, "Err\\#");
    EXPECT_EQ(doc.keyboard->msrLrc, 1);
    EXPECT_EQ(doc.layers, defaultLayerTable());
    EXPECT_TRUE(doc.keyboard->keptLines.empty());
}

TEST(KeptLines, AtMostAThousandLinesOf255Characters) {
    PersistDocument doc;
    doc.read("! " + std::string(400, 'k'));
    EXPECT_EQ(doc.keyboard->keptLines[0].size(), 255u);
    for (int i = 1; i < 1100; ++i) doc.read("DEF " + std::to_string(i));
    ASSERT_EQ(doc.keyboard->keptLines.size(), 1000u);
    EXPECT_EQ(doc.keyboard->keptLines.back(), "DEF 999");
    doc.keyboard->keptLines[10].clear();
    doc.read("DEF refill");
    EXPECT_EQ(doc.keyboard->keptLines[10], "DEF refill");
}

}  // namespace
}  // namespace kbxdoc::testing
