// The display's command keywords: which texts match, what each does, what it
// sends.

#include <gtest/gtest.h>

#include "posfunc/tests/display_recording.h"

namespace kbxfunc::test {
namespace {

using DisplayCommand = DisplayTest;

Bytes controlSequence(int control) { return bytesOf({0xEC, 0xC8, control, 0x00}); }

TEST_F(DisplayCommand, CharacterModesFollowEveryMatchingKeywordInOrder) {
    const std::vector<std::pair<std::string, DisplayCharacters>> cases{
        {"GERMANOFF", DisplayCharacters::Unchanged},   {"GERMANX", DisplayCharacters::GermanDisplay},
        {"GERMAN", DisplayCharacters::GermanDisplay},  {"OEMOFF", DisplayCharacters::GermanDisplay},
        {"OEMON", DisplayCharacters::AnsiToOem},       {"OEMTOANSI", DisplayCharacters::OemToAnsi},
        {"OEMTOAN", DisplayCharacters::OemToAnsi},     {"ANSITOOEM", DisplayCharacters::AnsiToOem},
    };
    for (const auto& [keyword, characters] : cases) {
        state().display.characters = DisplayCharacters::OemToAnsi == characters ? DisplayCharacters::Unchanged
                                                                                : DisplayCharacters::OemToAnsi;
        recording().sent.clear();
        EXPECT_EQ(command(keyword), 0) << keyword;
        EXPECT_EQ(state().display.characters, characters) << keyword;
        EXPECT_EQ(sent(), controlSequence(12)) << keyword << ": a mode change sends the control sequence";
    }
}

TEST_F(DisplayCommand, DisplayControlBitsMakeTheControlByte) {
    EXPECT_EQ(command("CURSORON"), 0);
    EXPECT_EQ(command("BLINKON"), 0);
    EXPECT_EQ(command("DISPLAYOFF"), 0);
    EXPECT_EQ(command("CURSOROFF"), 0);
    EXPECT_EQ(command("BLINKOFF"), 0);
    EXPECT_EQ(command("DISPLAYON"), 0);
    EXPECT_EQ(sequences(), (std::vector<Bytes>{controlSequence(14), controlSequence(15), controlSequence(11),
                                               controlSequence(9), controlSequence(8), controlSequence(12)}));
}

TEST_F(DisplayCommand, BlinkOnMustEndThere) {
    EXPECT_EQ(command("BLINKONX"), 0);
    EXPECT_FALSE(state().display.cursorBlinking);
    EXPECT_TRUE(sent().empty());
}

TEST_F(DisplayCommand, AnUnknownKeywordDoesNothing) {
    EXPECT_EQ(command("HELLO", 3), 0);
    EXPECT_EQ(command(""), 0);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(state().display.rows, 2);
}

TEST_F(DisplayCommand, ClearEmptiesBothImagesAndTheDisplay) {
    write("TEXT", 1, 1);
    runUpdatePass(state());
    recording().sent.clear();
    EXPECT_EQ(command("CLEAR"), 0);
    EXPECT_EQ(sent(), bytesOf({0xEC, 0x01, 0x00}));
    EXPECT_EQ(state().display.cursorRegister, 0);
    for (int row = 0; row < kDisplayImageRows; ++row) {
        for (int column = 0; column < kDisplayImageColumns; ++column) {
            ASSERT_EQ(state().display.target[row][column], ' ');
            ASSERT_EQ(state().display.shown[row][column], ' ');
        }
    }
}

TEST_F(DisplayCommand, AClearThatCannotBeSentMakesTheUpdatesWriteEverything) {
    write("TEXT", 1, 1);
    runUpdatePass(state());
    recording().sent.clear();
    recording().sendResult = failFrom(1);
    EXPECT_EQ(command("CLEAR"), 1);
    recording().sendResult = nullptr;
    recording().sent.clear();
    runUpdatePass(state());
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 0xC0, ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0x00}),
                                               bytesOf({0xEC, 0xC1, ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0x00})}));
}

TEST_F(DisplayCommand, AClearDuringAnotherSequenceLeavesTheSpacesToTheUpdates) {
    write("AB", 1, 1);
    runUpdatePass(state());
    recording().sent.clear();
    state().commands.busy = true;
    EXPECT_EQ(command("CLEAR"), 0);
    EXPECT_TRUE(sent().empty());
    state().commands.busy = false;
    runUpdatePass(state());
    EXPECT_EQ(sent(), bytesOf({0xEC, 0xC0, ' ', ' ', 0x00}));
}

TEST_F(DisplayCommand, LineClearEmptiesOneTargetRowOrRefuses) {
    write("ABC", 2, 1);
    EXPECT_EQ(command("LINECLEAR", 2), 0);
    EXPECT_EQ(state().display.target[1][0], ' ');
    EXPECT_EQ(command("LINECLEAR", 9), 1);
    EXPECT_EQ(command("LINECLEAR", 0), 1);
    EXPECT_EQ(command("LINECLEAR", 7), 0);
    EXPECT_TRUE(sent().empty());
}

TEST_F(DisplayCommand, GeometryTakesOnlyValuesInRange) {
    EXPECT_EQ(command("SETROW", 6), 0);
    EXPECT_EQ(state().display.rows, 2);
    EXPECT_EQ(command("SETROW", 3), 0);
    EXPECT_EQ(state().display.rows, 3);
    EXPECT_EQ(command("SETCOLUM", 50), 0);
    EXPECT_EQ(state().display.columns, 24);
    EXPECT_EQ(command("SETCOLUMN", 10), 0) << "the longer text matches too";
    EXPECT_EQ(state().display.columns, 10);
    EXPECT_EQ(command("SETCOLUM", -1), 0);
    EXPECT_EQ(state().display.columns, 10);
}

TEST_F(DisplayCommand, TextForARowBeyondTheConfiguredRowsIsACommand) {
    EXPECT_EQ(write("CLEAR", 3, 0), 0);
    EXPECT_EQ(sent(), bytesOf({0xEC, 0x01, 0x00}));
    EXPECT_EQ(write("SHOWN", 3, 1), 0);
    EXPECT_EQ(state().display.target[2][0], ' ');
    command("SETROW", 3);
    EXPECT_EQ(write("SHOWN", 3, 1), 0);
    EXPECT_EQ(state().display.target[2][0], 'S');
}

TEST_F(DisplayCommand, TimingKeywordsStoreTheirValues) {
    command("BLOCKSIZE", 3);
    command("KEYDELAY", 40);
    command("BLOCKDELAY", 50);
    EXPECT_EQ(state().display.blockSize, 3);
    EXPECT_EQ(state().display.keyDelayMs, 40);
    EXPECT_EQ(state().display.blockDelayMs, 50);
    EXPECT_TRUE(sent().empty());
    write("ABCDE", 1, 1);
    runUpdatePass(state());
    EXPECT_EQ(sent(), bytesOf({0xEC, 'A', 'B', 'C', 0x00}));
}

TEST_F(DisplayCommand, ABlockSizeBelowOneStillSendsOneCharacter) {
    command("BLOCKSIZE", 0);
    write("AB", 1, 1);
    runUpdatePass(state());
    EXPECT_EQ(sent(), bytesOf({0xEC, 'A', 0x00}));
}

TEST_F(DisplayCommand, RowChoiceKeepsTheColumn) {
    state().display.cursorRegister = 5;
    EXPECT_EQ(command("CURSORCOLUM", 2), 0);
    EXPECT_EQ(state().display.cursorRegister, 64 + 5);
    EXPECT_EQ(command("C_ROW", 1), 0);
    EXPECT_EQ(state().display.cursorRegister, 5);
    EXPECT_EQ(command("C_ROW", 3), 0);
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 0xC9, 0x45, 0x00}), bytesOf({0xEC, 0xC9, 0x85, 0x00})}));
}

TEST_F(DisplayCommand, ColumnChoiceKeepsTheRow) {
    state().display.cursorRegister = 64 + 3;
    EXPECT_EQ(command("CURSORROW", 10), 0);
    EXPECT_EQ(state().display.cursorRegister, 64 + 9);
    state().display.cursorRegister = 3;
    EXPECT_EQ(command("C_COLUMN", 1), 0);
    EXPECT_EQ(state().display.cursorRegister, 0);
    EXPECT_EQ(sequences(), (std::vector<Bytes>{bytesOf({0xEC, 0xC9, 0x49, 0x00}), bytesOf({0xEC, 0xC9, 0x80, 0x00})}));
}

TEST_F(DisplayCommand, ACursorMoveFromAnUnknownPositionStartsAtTheFirstColumn) {
    state().display.cursorRegister = kCursorUnknown;
    EXPECT_EQ(command("C_ROW", 2), 0);
    EXPECT_EQ(sent(), bytesOf({0xEC, 0xC9, 0x40, 0x00}));
    EXPECT_EQ(state().display.cursorRegister, 64);
}

TEST_F(DisplayCommand, ACursorMoveThatFailsLeavesThePositionUnknown) {
    recording().sendResult = failFrom(1);
    EXPECT_EQ(command("C_COLUMN", 4), 1);
    EXPECT_EQ(state().display.cursorRegister, kCursorUnknown);
}

TEST_F(DisplayCommand, CursorMovesAndControlWaitWhileASequenceIsPrepared) {
    state().commands.busy = true;
    EXPECT_EQ(command("C_ROW", 2), 1);
    EXPECT_EQ(command("CURSORROW", 2), 1);
    EXPECT_EQ(command("CURSORON"), 0);
    EXPECT_TRUE(state().display.cursorShown);
    EXPECT_TRUE(sent().empty());
}

TEST_F(DisplayCommand, AFailedControlSequenceFailsTheCommand) {
    recording().sendResult = failFrom(0);
    EXPECT_EQ(command("DISPLAYOFF"), 1);
    EXPECT_EQ(sent(), bytesOf({0xEC})) << "nothing follows a refused start";
}

TEST_F(DisplayCommand, CommandsNeedAnOpenDisplay) {
    closeDisplay(state());
    EXPECT_EQ(command("CURSORON"), 1);
    EXPECT_FALSE(state().display.cursorShown);
}

}  // namespace
}  // namespace kbxfunc::test
