#include <iterator>
#include <random>
#include <string_view>

#include <gtest/gtest.h>

#include "editor/document/opos_defaults.h"
#include "editor/persist/key_definition.h"
#include "editor/persist/key_line_parser.h"
#include "editor/persist/programming_part.h"
#include "editor/persist/source_line.h"
#include "editor/persist/tests/persist_fixture.h"

namespace kbxdoc::testing {
namespace {

// What the compiler makes of the conditions and attributes, and the words
// the document keeps for them.
TEST(KeyLineItems, CompilerBitsAndDocumentWords) {
    struct Case {
        const char* items;
        persist::DefinitionBits defaults;
        persist::DefinitionBits bits;
        std::optional<std::uint32_t> conditions;
        std::uint32_t attributes;
    };
    const persist::DefinitionBits plain;
    const Case cases[] = {
        {"-C-S-A-L/P:", plain, {0x00, 0x8F, 0x04}, 0x8A80, 0x10},
        {"-L+K/A/P/M/R:", plain, {0x00, 0x01, 0x1E}, 0x4AAA, 0x514},
        {"+NL-C-S/A/P/M/R:", plain, {0x20, 0xA6, 0x1E}, 0xA9A0, 0x514},
        {"/L/S", plain, {0x00, 0x00, 0x1B}, 0x6AAA, 0x505},  // the standard set drops slow output
        {"-K", plain, {0x80, 0x80, 0x00}, 0x2AAA, 0},
        {"+K-K", plain, {0x80, 0x00, 0x00}, std::nullopt, 0},  // release and "both": no field value
        {"/C", plain, {0x00, 0x80, 0x40}, std::nullopt, 0},    // character output: no field
        // DEF defaults: "-S" after a DEF "+S" leaves Shift on, as the compiler does.
        {"-S", {0x02, 0x82, 0x01}, {0x02, 0x82, 0x01}, 0xAAA9, 0x1},
    };
    for (const Case& c : cases) {
        std::string_view items = c.items;
        persist::DefinitionBits bits = c.defaults;
        EXPECT_TRUE(persist::applyKeyItems(items, bits)) << c.items;
        EXPECT_EQ(bits, c.bits) << c.items;
        const auto words = persist::documentWords(bits);
        EXPECT_EQ(words.has_value(), c.conditions.has_value()) << c.items;
        if (words && c.conditions) {
            EXPECT_EQ(words->conditions, *c.conditions) << c.items;
            EXPECT_EQ(words->attributes, c.attributes) << c.items;
        }
    }
    for (const char* rejected : {"+X", "/Q", "+S +C", "+"}) {
        std::string_view items = rejected;
        persist::DefinitionBits bits;
        EXPECT_FALSE(persist::applyKeyItems(items, bits)) << rejected;
    }
}

// The document's text of a programming part (normalised), and what the
// compiler collects from it.
TEST(KeyLineText, QuotedRunsAndCharacterNumbers) {
    struct Case {
        const char* part;
        bool hexadecimal;
        std::optional<std::string> text;
        std::optional<std::string> collected;
    };
    const Case cases[] = {
        {":\"abc\"", false, "abc", "abc"},
        {":\"a\\\"b\"", false, "a\\\"b", "a\"b"},  // \" is a quote
        {":\"a\\\\b\"", false, "a\\\\b", "a\\\\b"},  // \\ stays for the conversion
        {":\"ab\"\"cd\"", false, "abcd", "abcd"},
        {":\"C:\"#92", false, "C:\\", "C:\\"},
        {":#34,#65Z:\"b\"", false, "\"Ab", "\"Ab"},
        {":#41", true, "A", "A"},  // after BASE H
        {":\"unclosed", false, "unclosed", "unclosed"},
        {":\"C:\\\"", false, "C:\\\"", "C:\""},  // a quote taken by a backslash: runs to the end
        {":#92\"\\\"\"", false, std::nullopt, "\\\""},  // written again it would collect two backslashes
        {":\"a\"%13\"b\"", false, std::nullopt, std::nullopt},  // a raw byte
        {":#0", false, std::nullopt, std::nullopt},
        {":\"\"", false, std::nullopt, std::nullopt},  // an empty definition
        {":", false, std::nullopt, std::nullopt},
        {":ABC", false, std::nullopt, std::nullopt},
        {":#1A", false, std::nullopt, std::nullopt},  // a hex letter in a decimal number
    };
    for (const Case& c : cases) {
        EXPECT_EQ(persist::programmingTextOf(c.part, c.hexadecimal), c.text) << c.part;
        EXPECT_EQ(persist::collectedText(c.part, c.hexadecimal), c.collected) << c.part;
    }
}

// Every text the document can hold comes back from the items written for it.
TEST(KeyLineText, WrittenItemsReadBackAsTheText) {
    for (const std::string text : {"abc", "a\"b", "\\\"", "C:\\", "\\\\\"", "\\\\\\", "a\\{b", "\r\x01", "\\\x02", "\"\""}) {
        const std::string part = persist::programmingPart(text);
        const persist::SourceLine line = persist::normaliseSourceLine("A01: " + part);
        EXPECT_EQ(persist::programmingTextOf(line.arguments, false), text) << part;
    }
    EXPECT_EQ(persist::programmingPart("abc"), "\"abc\"");
    EXPECT_EQ(persist::programmingPart("Sa\"g\" \\ ok"), "\"Sa\" #34 \"g\" #34 \" \\ ok\"");
    EXPECT_EQ(persist::programmingPart("C:\\"), "\"C:\" #92");
}

// Whatever the reader takes from a part, written again, collects what the
// part collected: over parts built from quoted runs of the characters that
// matter to quoting (backslash, quote, control characters) and numbered
// characters among them.
TEST(KeyLineText, EveryTextTakenCollectsAsThePartDidWhenWrittenAgain) {
    constexpr std::string_view kRunCharacters = "a\\\"\x01 ,#";
    const std::string_view kNumbered[] = {"#34", "#92", "#1", "#65"};
    std::mt19937 random(42);
    int taken = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string part = ":";
        const int items = 1 + static_cast<int>(random() % 4);
        for (int item = 0; item < items; ++item) {
            if (random() % 4 == 0) {
                part += kNumbered[random() % std::size(kNumbered)];
            } else {
                part += '"';
                const int length = static_cast<int>(random() % 6);
                for (int i = 0; i < length; ++i) part += kRunCharacters[random() % kRunCharacters.size()];
                if (random() % 4 != 0) part += '"';
            }
            if (random() % 2 == 0) part += ',';
        }
        const std::optional<std::string> text = persist::programmingTextOf(part, false);
        if (!text) continue;
        ++taken;
        EXPECT_EQ(persist::collectedText(persist::programmingPart(*text), false), persist::collectedText(part, false))
            << part;
    }
    EXPECT_GT(taken, 1000);
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
    doc.read("M1H-L+K/A/P/M/R: \"{POSMSR1}\"");
    doc.read("KLT-L+K/A/P/M/R: \"{POSKeylock}\"");
    EXPECT_EQ(doc.slot(199).layers[4].programming, "{POSMSR1}");
    EXPECT_EQ(doc.slot(186).layers[4].programming, "{POSKeylock}");
}

// The layer of a key line is the one with exactly its conditions: a line
// without an L condition is not one of Normal-Layer's, which wants the layer
// key off.
TEST(KeyLines, ConditionsMatchALayerExactly) {
    PersistDocument doc;
    doc.read("A01-C-S-A: \"x\"");
    EXPECT_EQ(doc.layers[0].conditions, 0x8A80u);
    EXPECT_TRUE(doc.key("A01").layers[0].programming.empty());
    EXPECT_EQ(doc.layers[6].conditions, 0xAA80u);
    EXPECT_EQ(doc.key("A01").layers[6].programming, "x");
}

TEST(KeyLines, LinesTheDocumentCannotHoldAreKeptUnchanged) {
    PersistDocument doc;
    doc.key("A02").layers[0].programming = "old";
    const std::vector<std::string> kept{
        "Z01-C-S-A-L/P: \"abc\"",                                 // no such key
        "A30-C-S-A-L/P: \"abc\"",                                 // no such column
        "A02-C-S-A-L/K",                                          // an empty definition
        "A03-C-S-A-L: \"" + std::string(300, 'p') + "\"",         // longer than the field
        "A04-C-S-A-L/C: \"abc\"",                                 // character output
        "A05-C-S-A-L: \"a\" %13",                                 // a raw byte
        "A06-C-S-A-L/M: \"abc\"",                                 // make/break where the layer has none
        "A07-C-S-A-L+X: \"abc\"",                                 // the compiler's error
        "PORT 1: \"pre\"",
        "   ",
    };
    doc.readAll(kept);
    EXPECT_EQ(doc.keyboard->keptLines, kept);
    EXPECT_EQ(doc.key("A02").layers[0].programming, "old");
    for (const char* id : {"A03", "A04", "A05", "A06"}) EXPECT_TRUE(doc.key(id).layers[0].programming.empty()) << id;
    EXPECT_EQ(doc.state.currentLayer, persist::kNoLayer);
}

TEST(KeyLines, TakenAsTheCompilerReadsThem) {
    PersistDocument doc;
    doc.read("a01 -c -s -a -l /p \"lower case, no colon\" ! note");
    EXPECT_EQ(doc.key("A01").layers[0].programming, "lower case, no colon");
    EXPECT_EQ(doc.key("A01").layers[0].attributes, 0x10u);
    doc.read("A02-C-S-A-L: \"x\"");
    doc.read("A02-C-S-A-L: \"y\"");  // the compiler's "multiple keyassignment": kept
    EXPECT_EQ(doc.key("A02").layers[0].programming, "x");
    EXPECT_EQ(doc.keyboard->keptLines, std::vector<std::string>{"A02-C-S-A-L: \"y\""});
}

// A DEF line's conditions and attributes go into the key lines after it; the
// line itself is kept for the kept lines after it.
TEST(KeyLines, DefaultsOfDefLinesGoIntoTheKeys) {
    PersistDocument doc;
    doc.readAll({"DEFINE /K", "A01-C-S-A-L: \"a\"", "def +nl", "A02-C-S-A-L: \"b\"", "DEFINE /K/P",
                 "A03-C-S-A-L: \"{KEY-LEFT}\"", "DEF", "A04-C-S-A-L: \"{KEY-LEFT}\""});
    EXPECT_EQ(doc.key("A01").layers[0].attributes, 0x1u);
    EXPECT_EQ(doc.layers[6].conditions, 0x8980u);  // Normal-Layer's and NumLock on
    EXPECT_EQ(doc.key("A02").layers[6].programming, "b");
    EXPECT_TRUE(doc.key("A03").layers[0].programming.empty());  // a macro under DEF defaults beyond the click
    EXPECT_EQ(doc.key("A04").layers[0].programming, "{KEY-LEFT}");
    EXPECT_EQ(doc.keyboard->keptLines, (std::vector<std::string>{"DEFINE /K", "def +nl", "DEFINE /K/P",
                                                                 "A03-C-S-A-L: \"{KEY-LEFT}\"", "DEF"}));
    doc.readAll({"BASE H", "A05-C-S-A-L: #41"});
    EXPECT_EQ(doc.key("A05").layers[0].programming, "A");
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
    readOposDefaults(doc.context);
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

TEST(KeptLines, AtMostAThousandLinesAsLongAsTheCompilerReads) {
    PersistDocument doc;
    doc.read("! " + std::string(5000, 'k'));
    EXPECT_EQ(doc.keyboard->keptLines[0].size(), kKeptLineField - 1);
    for (int i = 1; i < 1100; ++i) doc.read("DEF " + std::to_string(i));
    ASSERT_EQ(doc.keyboard->keptLines.size(), 1000u);
    EXPECT_EQ(doc.keyboard->keptLines.back(), "DEF 999");
    doc.keyboard->keptLines[10].clear();
    doc.read("DEF refill");
    EXPECT_EQ(doc.keyboard->keptLines[10], "DEF refill");
}

}  // namespace
}  // namespace kbxdoc::testing
