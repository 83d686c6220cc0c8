#include <gtest/gtest.h>

#include "editor/persist/layout_lines.h"
#include "editor/persist/tests/persist_fixture.h"

namespace kbxdoc::testing {
namespace {

TEST(ReaderDirectives, LanguageTakesTwoLettersAndTheLockBehaviour) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    doc.read("LANGUAGE GR,C");
    EXPECT_EQ(k.languageCode, "GR");
    EXPECT_EQ(k.capsLock, 1);
    EXPECT_EQ(k.shiftLock, 0);
    doc.read("language  FR,S");
    EXPECT_EQ(k.languageCode, "FR");
    EXPECT_EQ(k.shiftLock, 1);
    EXPECT_EQ(k.capsLock, 0);
    // Without a lock letter the compiler takes the language's own, which
    // the writer then names.
    doc.read("LANGUAGE SP");
    EXPECT_EQ(k.languageCode, "SP");
    EXPECT_EQ(k.shiftLock, 0);
    EXPECT_EQ(k.capsLock, 1);
    doc.read("language gr");
    EXPECT_EQ(k.languageCode, "GR");
    EXPECT_EQ(k.shiftLock, 1);
    doc.read("LANGUAGE : XUSA , c");
    EXPECT_EQ(k.languageCode, "US");
    EXPECT_EQ(k.capsLock, 1);
    // A bare statement leaves the compiler at its first language and its
    // lock behaviour; written back, the line names both.
    for (const char* bare : {"LANGUAGE", "LANGUAGE ,"}) {
        doc.read("LANGUAGE GR,S");
        doc.read(bare);
        EXPECT_EQ(k.languageCode, "US") << bare;
        EXPECT_EQ(persist::languageLine(k), "LANGUAGE US,C") << bare;
    }
    doc.read("LANGUAGE ,S");
    EXPECT_EQ(persist::languageLine(k), "LANGUAGE US,S");
}

TEST(ReaderDirectives, InterfaceStartsFromTheSerialDefaults) {
    struct Case {
        const char* line;
        const char* name;
        int baud;
        const char* parity;
        int dataBits;
        int handshake;
    };
    const Case cases[] = {
        {"INTERFACE COM:19200,E,7,H", "COM", 19200, "E", 7, 1},
        {"INTERFACE COM:19200,E,7, ", "COM", 19200, "E", 7, 0},
        // What a COM statement leaves out is the compiler's default: 7 data bits.
        {"INTERFACE COM:1200", "COM", 1200, "O", 7, 0},
        {"INTERFACE COM", "COM", 9600, "O", 7, 0},
        {"interface com : 4800 , e", "COM", 4800, "E", 7, 0},
        {"INTERFACE COM:99999999999,N,8,H", "COM", 9600, "O", 7, 0},  // kept as well
        {"INTERFACE PC", "PC", 9600, "O", 8, 0},
        {"INTERFACE at", "AT", 9600, "O", 8, 0},
    };
    for (const Case& c : cases) {
        PersistDocument doc;
        KeyboardData& k = *doc.keyboard;
        k.baud = 1;
        k.handshake = 1;
        doc.read(c.line);
        EXPECT_EQ(k.interfaceName, c.name) << c.line;
        EXPECT_EQ(k.baud, c.baud) << c.line;
        EXPECT_EQ(k.parity, c.parity) << c.line;
        EXPECT_EQ(k.dataBits, c.dataBits) << c.line;
        EXPECT_EQ(k.handshake, c.handshake) << c.line;
    }
}

TEST(ReaderDirectives, SoundAndRateStopAtTheFirstValueThatDoesNotParse) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    doc.read("SOUND 1,2,x,4");
    EXPECT_EQ(k.clickVolume, 1);
    EXPECT_EQ(k.clickDuration, 2);
    EXPECT_EQ(k.alarmVolume, 100);
    EXPECT_EQ(k.alarmDuration, 400);
    doc.read("RATE 20,500,VERY SLOW");
    EXPECT_EQ(k.slowKeyRate, "VERY");
    doc.read("RATE 7,250,FAST   ");
    EXPECT_EQ(k.rate, 7);
    EXPECT_EQ(k.delay, 250);
    EXPECT_EQ(k.slowKeyRate, "FAST");
    doc.read("RATE 2147483648,1,SLOW");
    EXPECT_EQ(k.rate, 7);
    EXPECT_EQ(k.slowKeyRate, "FAST");
}

TEST(ReaderDirectives, HotkeysFollowTheLaterLine) {
    PersistDocument doc;
    doc.read("HOTKEY0 -C: \"{MakeSYS}\"");
    EXPECT_EQ(doc.keyboard->hotkeyMode, 1);
    doc.read("HOTKEY1 : \"{EMPTY}\"");
    EXPECT_EQ(doc.keyboard->hotkeyMode, 0);
    doc.read("hotkey1 +C: \"{makesys}\"");
    EXPECT_EQ(doc.keyboard->hotkeyMode, 1);
}

TEST(ReaderDirectives, ModeSwitchesTheModules) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    doc.read("MODE -MSR-BCR-FCR-KL+BA2-IEK");
    for (int slot : {199, 193, 191, 187}) EXPECT_EQ(k.keys[slot].moduleOption1, 0) << slot;
    EXPECT_EQ(k.keys[185].moduleOption1, 2);
    EXPECT_EQ(k.chainedKeyboardInit, 0);
    doc.read("MODE +MSR+KL+BA0");
    EXPECT_EQ(k.keys[199].moduleOption1, 1);
    EXPECT_EQ(k.keys[187].moduleOption1, 1);
    EXPECT_EQ(k.keys[193].moduleOption1, 0);
    EXPECT_EQ(k.keys[185].moduleOption1, 0);
    EXPECT_EQ(k.chainedKeyboardInit, 0);  // a later MODE statement changes only what it names
    doc.read("MODE -KVK");
    EXPECT_EQ(k.keys[185].moduleOption1, 1);
    doc.read("MODE +KVK");
    EXPECT_EQ(k.keys[185].moduleOption1, 0);
}

TEST(ReaderDirectives, MsrStartsWithEveryTrackOnAndTakesTheBadReadText) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    doc.read("MSR NSE, N1, N3, M3, LRC, : \"Fehler \x8E\"");
    EXPECT_EQ(k.keys[199].moduleOption2, 0);
    EXPECT_EQ(k.keys[198].moduleOption1, 0);
    EXPECT_EQ(k.keys[196].moduleOption1, 1);
    EXPECT_EQ(k.keys[194].moduleOption1, 0);
    EXPECT_EQ(k.msrThreeTrack, 1);
    EXPECT_EQ(k.msrLrc, 1);
    EXPECT_EQ(k.msrBadRead, "Fehler \xC4");
    doc.read("MSR : \"\"");
    EXPECT_EQ(k.keys[199].moduleOption2, 1);
    EXPECT_EQ(k.keys[198].moduleOption1, 1);
    EXPECT_EQ(k.msrThreeTrack, 0);
    EXPECT_EQ(k.msrBadRead, "Fehler \xC4");  // an empty text changes nothing
    doc.read("MSR LRC,: \"Err\\#\"");
    EXPECT_EQ(k.msrBadRead, "Err\\#");
    doc.read("MSR : \"N1 M3");  // words inside the text are text
    EXPECT_EQ(k.msrBadRead, "N1 M3");
    EXPECT_EQ(k.keys[198].moduleOption1, 1);
    EXPECT_EQ(k.msrThreeTrack, 0);
}

TEST(ReaderDirectives, TypeSelectsTheModelByPrefixInTableOrder) {
    struct Case {
        const char* line;
        int model;
    };
    const Case cases[] = {{"TYPE NABE2", 12}, {"TYPE NABE", 8}, {"TYPE JALMW/X", 1}, {"TYPE KESPW/X", 2},
                          {"TYPE HASK", 0},   {"type tarn", 14}, {"TYPE UNKNOWN", 3}};
    for (const Case& c : cases) {
        PersistDocument doc;
        doc.read(c.line);
        EXPECT_EQ(doc.keyboard->model, c.model) << c.line;
    }
}

TEST(ReaderDirectives, VersionMemoryAndDefineLines) {
    PersistDocument doc;
    doc.read("VERSION  LAYOMAT 1.8");
    EXPECT_EQ(doc.keyboard->versionText, "LAYOMAT 1.8");
    doc.read("MEMORY 6400");
    EXPECT_EQ(doc.keyboard->memoryText, "6400");
    doc.read("DEFINE X 1");
    ASSERT_EQ(doc.keyboard->keptLines.size(), 1u);
    EXPECT_EQ(doc.keyboard->keptLines[0], "DEFINE X 1");
}

TEST(ReaderMetadata, KeyPrintTakesCaptionSettingsAndFaceName) {
    PersistDocument doc;
    doc.read("!@KEYPRINT:C02 \"Sum\\lineTotal\";1.50;0.25;0.00;5.00;    FF00;  123456;2BC;1;1;0;2;Courier New");
    const KeyRecord& key = doc.key("C02");
    EXPECT_EQ(key.caption, "Sum\\lineTotal");
    EXPECT_DOUBLE_EQ(key.captionSettings.leftMargin, 1.5);
    EXPECT_DOUBLE_EQ(key.captionSettings.topMargin, 0.25);
    EXPECT_DOUBLE_EQ(key.captionSettings.fontHeight, 5.0);
    EXPECT_EQ(key.captionSettings.keyColour, 0xFF00u);
    EXPECT_EQ(key.captionSettings.textColour, 0x123456u);
    EXPECT_EQ(key.captionSettings.font.weight, 0x2BC);
    EXPECT_EQ(key.captionSettings.font.italic, 1);
    EXPECT_EQ(key.captionSettings.font.underline, 1);
    EXPECT_EQ(key.captionSettings.font.charSet, 2);
    EXPECT_EQ(key.captionSettings.font.faceName, "Courier New");
}

TEST(ReaderMetadata, CaptionEndsAtAnUnescapedQuoteAndGrowsItsBuffer) {
    PersistDocument doc;
    doc.read("!@KEYPRINT:A01 \"say \\\"hi\\\"\";1;2;3;4;0;0;0;0;0;0;0;");
    EXPECT_EQ(doc.key("A01").caption, "say \\\"hi\\\"");
    EXPECT_DOUBLE_EQ(doc.key("A01").captionSettings.fontHeight, 4.0);

    doc.read("!@KEYPRINT:A02 \"C:\\\\\";1;2;3;7;0;0;0;0;0;0;0;");
    EXPECT_EQ(doc.key("A02").caption, "C:\\\\");
    EXPECT_DOUBLE_EQ(doc.key("A02").captionSettings.fontHeight, 7.0);

    const std::string long_caption(600, 'w');
    doc.read("!@KEYPRINT:A03 \"" + long_caption + "\";9;0;0;4;0;0;0;0;0;0;0;");
    const KeyRecord& key = doc.key("A03");
    EXPECT_EQ(key.caption, std::string(511, 'w'));
    EXPECT_GE(key.captionSize, 512u);
    EXPECT_DOUBLE_EQ(key.captionSettings.leftMargin, 9.0);
}

TEST(ReaderMetadata, KeysThatDoNotExistAreIgnored) {
    PersistDocument doc;
    for (const char* line : {"!@KEYPRINT:Z01 \"x\";1;1;1;1;0;0;0;0;0;0;0;", "!@KEYPRINT:A00 \"x\"", "!@KEYSIZE:a01 1;2;3;4",
                             "!@KEYATTRIB:A9", "!@KEYSIZE:A99 1;2;3;4", "!@KEYPRINT:"}) {
        doc.read(line);
    }
    EXPECT_TRUE(doc.keyboard->keptLines.empty());
}

TEST(ReaderMetadata, GlobalPrintKeyboardSizeAndKeySize) {
    PersistDocument doc;
    KeyboardData& k = *doc.keyboard;
    doc.read("!@KEYGLOBALPRINT:2.00;1.00;3.00;6.00;  FFFFFF;      FF;190;0;1;1;0;Arial");
    EXPECT_DOUBLE_EQ(k.captionDefaults.leftMargin, 2.0);
    EXPECT_DOUBLE_EQ(k.captionDefaults.lineSpacing, 3.0);
    EXPECT_EQ(k.captionDefaults.keyColour, 0xFFFFFFu);
    EXPECT_EQ(k.captionDefaults.textColour, 0xFFu);
    EXPECT_EQ(k.captionDefaults.font.weight, 400);
    EXPECT_EQ(k.captionDefaults.font.strikeOut, 1);
    EXPECT_EQ(k.captionDefaults.font.faceName, "Arial");
    doc.read("!@KEYGLOBALPRINT:7.00;x");  // stops at the value that does not parse, keeps the face name
    EXPECT_DOUBLE_EQ(k.captionDefaults.leftMargin, 7.0);
    EXPECT_DOUBLE_EQ(k.captionDefaults.topMargin, 1.0);
    EXPECT_EQ(k.captionDefaults.font.faceName, "x");

    doc.read("!@KEYBOARDSIZE:300.50;120.25");
    EXPECT_DOUBLE_EQ(k.width, 300.5);
    EXPECT_DOUBLE_EQ(k.height, 120.25);
    doc.read("!@KEYBOARDSIZE:1e999;5");
    EXPECT_DOUBLE_EQ(k.width, 300.5);

    doc.read("!@KEYSIZE:B02 10.00;20.00;38.00;19.00");
    EXPECT_EQ(doc.key("B02").current, (Rect{10, 20, 38, 19}));
}

TEST(ReaderMetadata, AttributeWordGoesToTheCurrentLayer) {
    PersistDocument doc;
    doc.read("A01+S-C-A-L/P: \"s\"");
    doc.read("!@KEYATTRIB:A01 00000A96");  // auto repeat on: not what the key line says
    EXPECT_EQ(doc.key("A01").layers[1].attributes, 0x10u);
    doc.read("!@KEYATTRIB:A01 00000AAA");  // all follow Shift-Layer, whose protection is on
    EXPECT_EQ(doc.key("A01").layers[1].attributes, 0xAAAu);
    doc.read("!@KEYATTRIB:A01 1FFFFFFFF");  // too large: unchanged
    EXPECT_EQ(doc.key("A01").layers[1].attributes, 0xAAAu);
}

TEST(ReaderMetadata, CommentLinesAreKeptExceptTheEditorsBlankOnes) {
    PersistDocument doc;
    doc.read("! a note");
    doc.read("!@ dropped");
    doc.read("!@KEYLAYER:Kasse");
    doc.read("!@OTHER:thing");
    EXPECT_EQ(doc.keyboard->keptLines, (std::vector<std::string>{"! a note", "!@OTHER:thing"}));
    EXPECT_EQ(doc.state.pendingLayerName, "Kasse");
    doc.read("!@keylayer:" + std::string(100, 'n'));
    EXPECT_EQ(doc.state.pendingLayerName, std::string(79, 'n'));
}

}  // namespace
}  // namespace kbxdoc::testing
