#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "editor/persist/layout_lines.h"
#include "editor/persist/sorted_group.h"
#include "editor/persist/tests/persist_fixture.h"

namespace kbxdoc::testing {
namespace {

using persist::layoutText;

constexpr int kNormalLayer = 0;
constexpr int kStdKeyLayer = 4;

TEST(WriterLines, KeyLineOnTheNormalLayerSpellsItsConditionsAndResolvedAttributes) {
    PersistDocument doc;
    KeyRecord& key = doc.key("A01");
    key.layers[kNormalLayer].programming = "abc";
    key.layers[kNormalLayer].attributes = kAllFollowLayer;
    EXPECT_EQ(persist::keyProgrammingLine(key, 0, doc.layers[kNormalLayer], kNormalLayer),
              "A01-C-S-A-L/P: \"abc\"");
}

TEST(WriterLines, KeyLineOnTheStdKeyLayerTakesMakeBreakAndNoRestoreFromTheLayer) {
    PersistDocument doc;
    KeyRecord& key = doc.key("A01");
    key.layers[kStdKeyLayer].programming = "abc";
    key.layers[kStdKeyLayer].attributes = kAllFollowLayer;
    EXPECT_EQ(persist::keyProgrammingLine(key, 0, doc.layers[kStdKeyLayer], kStdKeyLayer),
              "A01-L+K/A/P/M/R: \"abc\"");
}

TEST(WriterLines, OwnAttributeFieldsOverrideTheLayerButMakeBreakAndNoRestoreDoNot) {
    PersistDocument doc;
    KeyRecord& key = doc.key("A01");
    key.layers[kNormalLayer].programming = "x";
    // click on, auto-repeat follow (layer: off), protected off, slow on, make/break and no restore on
    key.layers[kNormalLayer].attributes = 0x001 | 0x008 | 0x000 | 0x040 | 0x100 | 0x400;
    EXPECT_EQ(persist::keyProgrammingLine(key, 0, doc.layers[kNormalLayer], kNormalLayer),
              "A01-C-S-A-L/K/L: \"x\"");
}

TEST(WriterLines, EveryConditionFieldInItsOrder) {
    PersistDocument doc;
    LayerDefinition layer;
    layer.name = "All";
    // Shift on, Control off, Alt on, Scroll off, NumLock on, CapsLock off, layer key on, trigger release
    layer.conditions = 0x1 | (0u << 2) | (1u << 4) | (0u << 6) | (1u << 8) | (0u << 10) | (1u << 12) | (0u << 14);
    KeyRecord& key = doc.key("A01");
    key.layers[7].programming = "q";
    EXPECT_EQ(persist::keyProgrammingLine(key, 0, layer, 7), "A01-SL+NL-CL-C+S+A+L-K: \"q\"");
}

TEST(WriterLines, ProgrammingTextsAreWrittenInTheOemCodePage) {
    PersistDocument doc;
    KeyRecord& key = doc.key("A01");
    key.layers[kNormalLayer].programming = "\xE4\xFC";  // a and u with diaeresis
    key.layers[kNormalLayer].attributes = kAllFollowLayer;
    EXPECT_EQ(persist::keyProgrammingLine(key, 0, doc.layers[kNormalLayer], kNormalLayer),
              "A01-C-S-A-L/P: \"\x84\x81\"");
}

TEST(WriterLines, PseudoKeysAreWrittenUnderTheirNames) {
    PersistDocument doc;
    const std::vector<std::pair<int, std::string>> names{
        {186, "KLT"}, {187, "KLH"}, {188, "FRT"}, {189, "FRH"}, {190, "FIT"}, {191, "FIH"}, {192, "BCT"},
        {193, "BCH"}, {194, "M3T"}, {195, "M3H"}, {196, "M2T"}, {197, "M2H"}, {198, "M1T"}, {199, "M1H"}};
    for (const auto& [slot, name] : names) {
        KeyRecord& key = doc.slot(slot);
        key.layers[kNormalLayer].programming = "{POSMSR1}";
        EXPECT_EQ(persist::keyLineName(key, slot), name);
        EXPECT_EQ(persist::keyAttributesLine(key, slot, kNormalLayer), "!@KEYATTRIB:" + name);
    }
}

TEST(WriterLines, AttributeLineCarriesTheExactWordAndOnlyForProgrammedKeys) {
    PersistDocument doc;
    KeyRecord& key = doc.key("B03");
    EXPECT_FALSE(persist::keyAttributesLine(key, 0, 2).has_value());
    key.layers[2].programming = "z";
    key.layers[2].attributes = 0x1A96;
    EXPECT_EQ(persist::keyAttributesLine(key, 0, 2), "!@KEYATTRIB:B03 00001A96");
}

TEST(WriterLines, ModelWithoutTypeKeywordWritesAnEmptyFirstLine) {
    PersistDocument doc;
    doc.keyboard->model = 11;
    EXPECT_EQ(doc.lines().front(), "");
    doc.keyboard->model = 12;
    EXPECT_EQ(doc.lines().front(), "TYPE NABE2");
    doc.keyboard->model = 1;
    EXPECT_EQ(doc.lines().front(), "TYPE JALMW/X");
}

TEST(WriterLines, MemoryLineOnlyForTextsLongerThanTwoCharacters) {
    struct Case {
        const char* memory;
        std::optional<std::string> line;
    };
    const Case cases[] = {{"0", std::nullopt}, {"64", std::nullopt}, {"640", "MEMORY 640"}, {"6400", "MEMORY 6400"}};
    for (const Case& c : cases) {
        PersistDocument doc;
        doc.keyboard->memoryText = c.memory;
        EXPECT_EQ(persist::memoryLine(*doc.keyboard), c.line) << c.memory;
    }
}

TEST(WriterLines, VersionLineAlwaysNamesTheWritingProgram) {
    PersistDocument doc;
    doc.keyboard->versionText = "0";
    EXPECT_EQ(persist::versionLine(*doc.keyboard), "VERSION  LAYOMAT 1.8");
    doc.keyboard->versionText = "ZOD2";
    EXPECT_EQ(persist::versionLine(*doc.keyboard), "VERSION  ZOVEZIZ  LAYOMAT 1.8");
    doc.keyboard->versionText = "ZOVEZIZ  LAYOMAT 1.8";  // as read back from such a line
    EXPECT_EQ(persist::versionLine(*doc.keyboard), "VERSION  ZOVEZIZ  LAYOMAT 1.8");
}

TEST(WriterLines, InterfaceLine) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    EXPECT_EQ(persist::interfaceLine(k), "INTERFACE AT");
    k.interfaceName = "com";
    k.baud = 19200;
    k.parity = "E";
    k.dataBits = 7;
    k.handshake = 0;
    EXPECT_EQ(persist::interfaceLine(k), "INTERFACE com:19200,E,7, ");
    k.handshake = 1;
    EXPECT_EQ(persist::interfaceLine(k), "INTERFACE com:19200,E,7,H");
}

TEST(WriterLines, KeyboardWideLinesOfAResetDocument) {
    PersistDocument doc;
    const std::vector<std::string> expected{
        "TYPE LUMO",
        "VERSION  LAYOMAT 1.8",
        "INTERFACE AT",
        "SOUND 33,40,100,400",
        "RATE 20,500,DEFAULT",
        "LANGUAGE US,S",
        "HOTKEY0 : \"{EMPTY}\"",
        "HOTKEY1 : \"{EMPTY}\"",
        "MODE +BA1-IEK",
        "MSR : \"\"",
    };
    const std::vector<std::string> lines = doc.lines();
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<long>(expected.size())), expected);
}

TEST(WriterLines, LanguageHotkeysModeAndReaderOptions) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    k.languageCode = "GR";
    k.shiftLock = 0;
    k.capsLock = 1;
    EXPECT_EQ(persist::languageLine(k), "LANGUAGE GR,C");
    k.capsLock = 0;
    EXPECT_EQ(persist::languageLine(k), "LANGUAGE GR");

    k.hotkeyMode = 1;
    EXPECT_EQ(persist::hotkeyLines(k), "HOTKEY0 -C: \"{MakeSYS}\"\r\nHOTKEY1 +C: \"{MakeSYS}\"");

    for (int slot : {199, 193, 191, 187}) k.keys[slot].moduleOption1 = 0;
    k.keys[185].moduleOption1 = 6;  // only the low two bits count
    k.chainedKeyboardInit = 0;
    EXPECT_EQ(persist::modeLine(k), "MODE -MSR-BCR-FCR-KL+BA2-IEK");

    k.keys[199].moduleOption2 = 0;
    for (int slot : {198, 196, 194}) k.keys[slot].moduleOption1 = 0;
    k.msrThreeTrack = 1;
    k.msrLrc = 1;
    k.msrBadRead = "Fehler \xC4";  // A with diaeresis: 0x8E in the OEM code page
    EXPECT_EQ(persist::readerOptionsLine(k), "MSR NSE, N1, N2, N3, M3, LRC, : \"Fehler \x8E\"");
}

TEST(WriterLines, PrintAndSizeLines) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    k.captionDefaults = CaptionSettings{1.0, 0.0, 0.0, 4.0, 0xFFFFFF, 0x0000FF, {}};
    k.captionDefaults.font.weight = 400;
    k.captionDefaults.font.charSet = 0;
    k.captionDefaults.font.faceName = "Arial";
    EXPECT_EQ(persist::globalPrintLine(k), "!@KEYGLOBALPRINT:1.00;0.00;0.00;4.00;  FFFFFF;      FF;190;0;0;0;0;Arial");
    k.width = 300.126;
    k.height = 120;
    EXPECT_EQ(persist::keyboardSizeLine(k), "!@KEYBOARDSIZE:300.13;120.00");

    KeyRecord& key = doc.key("C02");
    EXPECT_FALSE(persist::keyPrintLine(key).has_value());
    EXPECT_FALSE(persist::keySizeLine(key).has_value());
    key.caption = "Sum\\lineTotal";
    key.captionSettings = CaptionSettings{1.5, 0.25, 0, 5, 0x00FF00, 0x123456, {}};
    key.captionSettings.font.italic = 1;
    EXPECT_EQ(persist::keyPrintLine(key),
              "!@KEYPRINT:C02 \"Sum\\lineTotal\";1.50;0.25;0.00;5.00;    FF00;  123456;0;1;0;0;0;");
    key.current.width *= 2;
    EXPECT_EQ(persist::keySizeLine(key)->rfind("!@KEYSIZE:C02 ", 0), 0u);
}

TEST(WriterLines, KeyWithoutCaptionBufferOrTemplateSizeWritesNoKeyLine) {
    PersistDocument doc;
    KeyRecord& key = doc.key("A01");
    key.captionSize = 0;
    key.caption = "stale";
    EXPECT_FALSE(persist::keyPrintLine(key).has_value());
    key.templateGeometry.width = 0;
    key.current.width = 40;
    EXPECT_FALSE(persist::keySizeLine(key).has_value());
}

TEST(WriterFile, TwoLayersWithProgrammingForOneKeyGiveALineUnderEachLayer) {
    PersistDocument doc;
    KeyRecord& key = doc.key("A01");
    key.layers[0].programming = "n";
    key.layers[0].attributes = kAllFollowLayer;
    key.layers[1].programming = "s";
    key.layers[1].attributes = kAllFollowLayer;
    const std::string text = layoutText(doc.context);
    const std::string expected =
        "!@KEYLAYER:Normal-Layer\r\nA01-C-S-A-L/P: \"n\"\r\n!@KEYATTRIB:A01 00000AAA\r\n"
        "!@KEYLAYER:Shift-Layer\r\nA01-C+S-A-L/P: \"s\"\r\n!@KEYATTRIB:A01 00000AAA\r\n"
        "!@KEYLAYER:Control-Layer\r\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
}

TEST(WriterFile, GroupsAreSortedIgnoringCaseAndKeptLinesComeLastUpToTheFirstEmptyOne) {
    PersistDocument doc;
    doc.key("B01").layers[0].programming = "1";
    doc.key("A02").layers[0].programming = "2";
    doc.slot(199).layers[0].programming = "3";
    doc.keyboard->keptLines = {"DEF /K", "PORT 1", "", "lost"};
    const std::vector<std::string> lines = doc.lines();
    const auto layer = std::find(lines.begin(), lines.end(), "!@KEYLAYER:Normal-Layer");
    ASSERT_NE(layer, lines.end());
    EXPECT_EQ(layer[1].substr(0, 3), "A02");
    EXPECT_EQ(layer[2].substr(0, 3), "B01");
    EXPECT_EQ(layer[3].substr(0, 3), "M1H");
    EXPECT_EQ(layer[4], "!@KEYATTRIB:A02 00000AAA");
    EXPECT_EQ(layer[6], "!@KEYATTRIB:M1H");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "DEF /K");
    EXPECT_EQ(lines.back(), "PORT 1");
    EXPECT_EQ(doc.text().substr(doc.text().size() - 2), "\r\n");
}

// A programming text writes its line breaks as character numbers; other
// texts end at theirs, so that none can start a line of its own.
TEST(WriterFile, ALineBreakInsideATextStartsNoLineOfItsOwn) {
    PersistDocument doc;
    KeyRecord& key = doc.key("A01");
    key.layers[0].programming = "a\r\nTYPE HASK";
    key.layers[0].attributes = kAllFollowLayer;
    doc.keyboard->msrBadRead = "bad\nMODE -MSR";
    EXPECT_TRUE(doc.writes("A01-C-S-A-L/P: \"a\" #13 #10 \"TYPE HASK\""));
    EXPECT_TRUE(doc.writes("MSR : \"bad"));
    EXPECT_FALSE(doc.writes("TYPE HASK"));
    EXPECT_FALSE(doc.writes("MODE -MSR\""));
    EXPECT_TRUE(doc.writes("HOTKEY1 : \"{EMPTY}\""));
}

TEST(SortedGroups, ComparisonIgnoresCaseAndOnlyTheFirst399AreWritten) {
    persist::SortedGroup group;
    group.add("b");
    group.add("A");
    group.add("a2");
    EXPECT_EQ(std::move(group).sortedLines(), (std::vector<std::string>{"A", "a2", "b"}));

    persist::SortedGroup big;
    for (int i = 450; i > 0; --i) big.add(std::to_string(1000 + i));
    const auto lines = std::move(big).sortedLines();
    ASSERT_EQ(lines.size(), persist::kGroupWriteLimit);
    // 400 lines are collected (1450 down to 1051), sorted, and the largest one is not written.
    EXPECT_EQ(lines.front(), "1051");
    EXPECT_EQ(lines.back(), "1449");
}

}  // namespace
}  // namespace kbxdoc::testing
