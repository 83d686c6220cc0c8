#include "platform/code_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace kbx::platform {
namespace {

// Characters both code pages have: each keeps its identity both ways.
struct SharedCharacter {
    const char* utf8;
    unsigned char ansi;
    unsigned char oem;
};

constexpr SharedCharacter kShared[] = {
    {"Ç", 0xC7, 0x80}, {"ü", 0xFC, 0x81}, {"é", 0xE9, 0x82}, {"â", 0xE2, 0x83}, {"ä", 0xE4, 0x84},
    {"à", 0xE0, 0x85}, {"å", 0xE5, 0x86}, {"ç", 0xE7, 0x87}, {"ê", 0xEA, 0x88}, {"ë", 0xEB, 0x89},
    {"è", 0xE8, 0x8A}, {"ï", 0xEF, 0x8B}, {"î", 0xEE, 0x8C}, {"ì", 0xEC, 0x8D}, {"Ä", 0xC4, 0x8E},
    {"Å", 0xC5, 0x8F}, {"É", 0xC9, 0x90}, {"æ", 0xE6, 0x91}, {"Æ", 0xC6, 0x92}, {"ô", 0xF4, 0x93},
    {"ö", 0xF6, 0x94}, {"ò", 0xF2, 0x95}, {"û", 0xFB, 0x96}, {"ù", 0xF9, 0x97}, {"ÿ", 0xFF, 0x98},
    {"Ö", 0xD6, 0x99}, {"Ü", 0xDC, 0x9A}, {"¢", 0xA2, 0x9B}, {"£", 0xA3, 0x9C}, {"¥", 0xA5, 0x9D},
    {"ƒ", 0x83, 0x9F}, {"á", 0xE1, 0xA0}, {"í", 0xED, 0xA1}, {"ó", 0xF3, 0xA2}, {"ú", 0xFA, 0xA3},
    {"ñ", 0xF1, 0xA4}, {"Ñ", 0xD1, 0xA5}, {"ª", 0xAA, 0xA6}, {"º", 0xBA, 0xA7}, {"¿", 0xBF, 0xA8},
    {"¬", 0xAC, 0xAA}, {"½", 0xBD, 0xAB}, {"¼", 0xBC, 0xAC}, {"¡", 0xA1, 0xAD}, {"«", 0xAB, 0xAE},
    {"»", 0xBB, 0xAF}, {"ß", 0xDF, 0xE1}, {"µ", 0xB5, 0xE6}, {"±", 0xB1, 0xF1}, {"÷", 0xF7, 0xF6},
    {"°", 0xB0, 0xF8}, {"·", 0xB7, 0xFA}, {"²", 0xB2, 0xFD}, {"\u00A0", 0xA0, 0xFF},
};

TEST(CodePages, SharedCharactersKeepTheirIdentityBothWays) {
    for (const SharedCharacter& shared : kShared) {
        SCOPED_TRACE(shared.utf8);
        EXPECT_EQ(ansiToUtf8(std::string(1, static_cast<char>(shared.ansi))), shared.utf8);
        EXPECT_EQ(ansiToOem(shared.ansi), shared.oem);
        EXPECT_EQ(oemToAnsi(shared.oem), shared.ansi);
    }
}

TEST(CodePages, AsciiAndControlBytesPassUnchanged) {
    for (int c = 0; c < 0x80; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_EQ(ansiToOem(byte), byte) << c;
        EXPECT_EQ(oemToAnsi(byte), byte) << c;
    }
}

struct LookAlike {
    const char* name;
    unsigned char from;
    unsigned char to;
};

constexpr LookAlike kAnsiLookAlikes[] = {
    {"A grave", 0xC0, 'A'},    {"A circumflex", 0xC2, 'A'}, {"E circumflex", 0xCA, 'E'},
    {"I acute", 0xCD, 'I'},    {"O stroke", 0xD8, 'O'},     {"U acute", 0xDA, 'U'},
    {"Y acute", 0xDD, 'Y'},    {"S caron", 0x8A, 'S'},      {"a tilde", 0xE3, 'a'},
    {"o stroke", 0xF8, 'o'},   {"left double quote", 0x93, '"'}, {"right single quote", 0x92, '\''},
    {"en dash", 0x96, '-'},    {"em dash", 0x97, '-'},      {"broken bar", 0xA6, '|'},
    {"multiplication", 0xD7, 'x'}, {"superscript three", 0xB3, '3'}, {"euro", 0x80, '?'},
    {"three quarters", 0xBE, '?'}, {"thorn", 0xDE, '?'},    {"unassigned 81", 0x81, '?'},
    {"unassigned 9D", 0x9D, '?'},
};

TEST(CodePages, AnsiWithoutOemPlaceBecomesALookAlikeOrQuestionMark) {
    for (const LookAlike& row : kAnsiLookAlikes) {
        EXPECT_EQ(ansiToOem(row.from), row.to) << row.name;
    }
}

constexpr LookAlike kOemLookAlikes[] = {
    {"light horizontal", 0xC4, '-'}, {"light vertical", 0xB3, '|'}, {"double vertical", 0xBA, '|'},
    {"double horizontal", 0xCD, '='}, {"down and right", 0xDA, '+'}, {"up and left", 0xD9, '+'},
    {"cross", 0xC5, '+'},            {"double cross", 0xCE, '+'},  {"light shade", 0xB0, '#'},
    {"full block", 0xDB, '#'},       {"alpha", 0xE0, 'a'},         {"capital sigma", 0xE4, 'S'},
    {"pi", 0xE3, 'p'},               {"greater or equal", 0xF2, '>'}, {"peseta", 0x9E, 'P'},
};

TEST(CodePages, OemWithoutAnsiPlaceBecomesALookAlike) {
    for (const LookAlike& row : kOemLookAlikes) {
        EXPECT_EQ(oemToAnsi(row.from), row.to) << row.name;
    }
}

TEST(CodePages, NoPrintableCharacterBecomesAControlByte) {
    const auto isControl = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
    for (int c = 0x20; c < 0x100; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x7F) continue;
        EXPECT_FALSE(isControl(ansiToOem(byte))) << std::hex << c;
        EXPECT_FALSE(isControl(oemToAnsi(byte))) << std::hex << c;
    }
}

TEST(CodePages, OemNeverGivesAnUnassignedAnsiByte) {
    for (int c = 0; c < 0x100; ++c) {
        const unsigned char ansi = oemToAnsi(static_cast<unsigned char>(c));
        for (const int unassigned : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
            EXPECT_NE(ansi, unassigned) << std::hex << c;
        }
    }
}

TEST(CodePages, TextsConvertByteByByteIncludingNul) {
    const std::string ansi("Gr\xFC\xDF" "e\0\xC0", 7);
    const std::string oem = ansiToOem(ansi);
    EXPECT_EQ(oem, std::string("Gr\x81\xE1" "e\0A", 7));
    EXPECT_EQ(oemToAnsi(std::string("Gr\x81\xE1" "e", 5)), "Gr\xFC\xDF" "e");
    EXPECT_EQ(ansiToOem(std::string_view()), "");
}

TEST(CodePages, AnsiToUtf8CoversTheWindowsRowAndKeepsUnassignedBytes) {
    EXPECT_EQ(ansiToUtf8("\x80"), "€");
    EXPECT_EQ(ansiToUtf8("\x84\x93\x94"), "„“”");
    EXPECT_EQ(ansiToUtf8("\x9F"), "Ÿ");
    EXPECT_EQ(ansiToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(ansiToUtf8("K\xE4se"), "Käse");
    EXPECT_EQ(ansiToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace kbx::platform
