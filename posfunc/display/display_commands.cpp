#include "posfunc/display/display_commands.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string_view>

#include "posfunc/display/display_protocol.h"
#include "posfunc/display/display_update.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

enum class Outcome {
    Done,     // took effect
    Failed,   // took effect, but a byte did not go out: the command fails
    Refused,  // the command fails at once; later keywords are not tried
};

struct DisplayKeyword {
    std::string_view keyword;
    std::size_t compared;  // one above the keyword's length: the text must end there
    bool controlsDisplay;  // the display control sequence follows the keywords
    Outcome (*effect)(FuncState&, int value);
};

constexpr int kHighestColumns = 49;
constexpr int kHighestRows = 5;
constexpr int kColumnBits = 0x3F;
constexpr int kRowBits = 0xC0;
constexpr int kMillisecondsPerSecond = 1000;

Outcome sent(int result) { return result == 0 ? Outcome::Done : Outcome::Failed; }

void fillRows(DisplayImage& image, std::uint8_t byte) {
    for (auto& row : image) std::fill_n(row.begin(), kDisplayImageColumns, byte);
}

Outcome clearDisplay(FuncState& state, int) {
    DisplayState& display = state.display;
    fillRows(display.target, kSpace);
    // While another sequence is being prepared the display cannot be cleared
    // now; the update passes then write the spaces instead.
    if (state.commands.busy) return Outcome::Done;
    const int result = sendDisplaySequence(state, {kClearDisplay});
    if (result != 0) {
        // The display may show anything: everything is sent again.
        fillRows(display.shown, kUnsentMark);
        display.cursorRegister = kCursorUnknown;
        return Outcome::Failed;
    }
    fillRows(display.shown, kSpace);
    display.cursorRegister = 0;  // clearing leaves the display at its first position
    return Outcome::Done;
}

Outcome clearLine(FuncState& state, int value) {
    if (value < 1 || value > kDisplayImageRows) return Outcome::Refused;
    std::fill_n(state.display.target[value - 1].begin(), state.display.columns, kSpace);
    return Outcome::Done;
}

Outcome setColumns(FuncState& state, int value) {
    if (value >= 0 && value <= kHighestColumns) state.display.columns = static_cast<std::uint8_t>(value);
    return Outcome::Done;
}

Outcome setRows(FuncState& state, int value) {
    if (value >= 0 && value <= kHighestRows) state.display.rows = static_cast<std::uint8_t>(value);
    return Outcome::Done;
}

// The register's column; an unknown position counts as the first column.
int registerColumn(const DisplayState& display) {
    return display.cursorRegister == kCursorUnknown ? 0 : display.cursorRegister & kColumnBits;
}

int registerRowBits(const DisplayState& display) {
    return display.cursorRegister == kCursorUnknown ? 0 : display.cursorRegister & kRowBits;
}

// Sends the positioning for the register value, keeping it only when it went out.
Outcome moveTo(FuncState& state, int cursorRegister, std::uint8_t positionByte) {
    const int result = sendDisplaySequence(state, {kSetPosition, positionByte});
    state.display.cursorRegister = result == 0 ? cursorRegister : kCursorUnknown;
    return sent(result);
}

// Chooses the row (1 or 2), keeping the column.
Outcome chooseCursorRow(FuncState& state, int value) {
    if (state.commands.busy) return Outcome::Refused;
    const int column = registerColumn(state.display);
    if (value == 1) return moveTo(state, column, static_cast<std::uint8_t>(kFirstRowPosition + column));
    if (value == 2) {
        return moveTo(state, kSecondRowRegister + column, static_cast<std::uint8_t>(kSecondRowPosition + column));
    }
    return Outcome::Done;
}

// Chooses the column (1-based), keeping the row.
Outcome chooseCursorColumn(FuncState& state, int value) {
    if (state.commands.busy) return Outcome::Refused;
    const int position = ((value - 1) & kColumnBits) | registerRowBits(state.display);
    const int positionByte = (position & kRowBits) == 0 ? position + kFirstRowPosition : position;
    return moveTo(state, position, static_cast<std::uint8_t>(positionByte));
}

Outcome setBlockSize(FuncState& state, int value) {
    state.display.blockSize = value;
    return Outcome::Done;
}

Outcome setKeyDelay(FuncState& state, int value) {
    state.display.keyDelayMs = value;
    return Outcome::Done;
}

Outcome setBlockDelay(FuncState& state, int value) {
    state.display.blockDelayMs = value;
    return Outcome::Done;
}

Outcome setRefresh(FuncState& state, int value) {
    const int seconds = std::clamp(value, 0, INT_MAX / kMillisecondsPerSecond);
    state.display.refreshIntervalMs = seconds * kMillisecondsPerSecond;
    scheduleRefresh(state);
    return Outcome::Done;
}

template <DisplayCharacters characters>
Outcome setCharacters(FuncState& state, int) {
    state.display.characters = characters;
    return Outcome::Done;
}

template <bool DisplayState::*flag, bool on>
Outcome setControl(FuncState& state, int) {
    state.display.*flag = on;
    return Outcome::Done;
}

constexpr std::array kDisplayKeywords{
    DisplayKeyword{"CLEAR", 5, false, &clearDisplay},
    DisplayKeyword{"LINECLEAR", 9, false, &clearLine},
    DisplayKeyword{"SETCOLUM", 8, false, &setColumns},
    DisplayKeyword{"CURSORCOLUM", 11, false, &chooseCursorRow},
    DisplayKeyword{"C_ROW", 5, false, &chooseCursorRow},
    DisplayKeyword{"SETROW", 6, false, &setRows},
    DisplayKeyword{"BLOCKSIZE", 9, false, &setBlockSize},
    DisplayKeyword{"KEYDELAY", 8, false, &setKeyDelay},
    DisplayKeyword{"BLOCKDELAY", 10, false, &setBlockDelay},
    DisplayKeyword{"CURSORROW", 9, false, &chooseCursorColumn},
    DisplayKeyword{"C_COLUMN", 7, false, &chooseCursorColumn},
    DisplayKeyword{"REFRESH", 7, false, &setRefresh},
    DisplayKeyword{"OEMON", 5, true, &setCharacters<DisplayCharacters::AnsiToOem>},
    DisplayKeyword{"OEMOFF", 6, true, &setCharacters<DisplayCharacters::GermanDisplay>},
    DisplayKeyword{"GERMAN", 6, true, &setCharacters<DisplayCharacters::GermanDisplay>},
    DisplayKeyword{"OEMTOANSI", 7, true, &setCharacters<DisplayCharacters::OemToAnsi>},
    DisplayKeyword{"ANSITOOEM", 7, true, &setCharacters<DisplayCharacters::AnsiToOem>},
    DisplayKeyword{"GERMANOFF", 9, true, &setCharacters<DisplayCharacters::Unchanged>},
    DisplayKeyword{"CURSOROFF", 9, true, &setControl<&DisplayState::cursorShown, false>},
    DisplayKeyword{"CURSORON", 8, true, &setControl<&DisplayState::cursorShown, true>},
    DisplayKeyword{"BLINKON", 8, true, &setControl<&DisplayState::cursorBlinking, true>},
    DisplayKeyword{"BLINKOFF", 8, true, &setControl<&DisplayState::cursorBlinking, false>},
    DisplayKeyword{"DISPLAYON", 9, true, &setControl<&DisplayState::displayOn, true>},
    DisplayKeyword{"DISPLAYOFF", 10, true, &setControl<&DisplayState::displayOn, false>},
};

// The text's beginning against the keyword over `compared` characters; a
// count past the keyword's end compares its terminating NUL too.
bool matches(const char* text, const DisplayKeyword& entry) {
    const std::size_t keywordPart = std::min(entry.compared, entry.keyword.size());
    if (std::strncmp(text, entry.keyword.data(), keywordPart) != 0) return false;
    return entry.compared <= entry.keyword.size() || text[entry.keyword.size()] == '\0';
}

}  // namespace

int runDisplayCommand(FuncState& state, const char* text, int value) {
    constexpr int kFailed = 1;
    bool failed = false;
    bool controlChanged = false;
    for (const DisplayKeyword& entry : kDisplayKeywords) {
        if (!matches(text, entry)) continue;
        const Outcome outcome = entry.effect(state, value);
        if (outcome == Outcome::Refused) return kFailed;
        failed = failed || outcome == Outcome::Failed;
        controlChanged = controlChanged || entry.controlsDisplay;
    }
    if (controlChanged && !state.commands.busy) {
        failed = sendDisplaySequence(state, {kDisplayControl, displayControlByte(state.display)}) != 0 || failed;
    }
    return failed ? kFailed : 0;
}

}  // namespace kbxfunc
