// Terminal texts in the display's character set.

#include <gtest/gtest.h>

#include "tools/kbxpos/terminal_text.h"

namespace kbxpos {
namespace {

TEST(TerminalText, LatinLettersKeepTheirCode) {
    EXPECT_EQ(utf8ToAnsi("abc"), "abc");
    EXPECT_EQ(utf8ToAnsi("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F"), "\xE4\xF6\xFC\xDF");
}

TEST(TerminalText, TheExtraWindowsCharactersGetTheirCodes) {
    EXPECT_EQ(utf8ToAnsi("\xE2\x82\xAC \xE2\x80\x9E\xE2\x80\x9C"), "\x80 \x84\x93");
}

TEST(TerminalText, OtherCharactersAndBrokenSequencesBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToAnsi("\xE2\x88\x9A"), "?");              // a square root sign
    EXPECT_EQ(utf8ToAnsi("\xF0\x9F\x98\x80x"), "?x");        // outside the basic plane
    EXPECT_EQ(utf8ToAnsi("\xC3"), "?");                      // cut short
    EXPECT_EQ(utf8ToAnsi("\xC3x"), "?x");                    // no continuation
    EXPECT_EQ(utf8ToAnsi("\xFF\x80"), "??");
    EXPECT_EQ(utf8ToAnsi("\xC2\x81"), "?") << "a C1 control has no Windows-1252 character";
}

}  // namespace
}  // namespace kbxpos
