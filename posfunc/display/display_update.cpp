#include "posfunc/display/display_update.h"

#include <algorithm>
#include <optional>

#include "format/keyboard_protocol.h"
#include "posfunc/commands/byte_transport.h"
#include "posfunc/display/display_protocol.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

constexpr int kComplete = 1;

void killAndClear(kbx::platform::TimerId& timer) {
    if (timer != 0) kbx::platform::killTimer(timer);
    timer = 0;
}

unsigned timerInterval(int milliseconds) { return static_cast<unsigned>(std::max(milliseconds, 0)); }

// The first column of a row where target and shown differ.
std::optional<int> firstDifference(const DisplayState& display, int row) {
    for (int column = 0; column < display.columns; ++column) {
        if (display.target[row][column] != display.shown[row][column]) return column;
    }
    return std::nullopt;
}

// The length of the block from `start`: the block size, cut at the last
// column, with its unchanged end trimmed. A lone change at the block's end is
// left for a later pass.
int blockLength(const DisplayState& display, int row, int start) {
    const auto differs = [&](int column) { return display.target[row][column] != display.shown[row][column]; };
    int length = std::min(std::max(display.blockSize, 1), display.columns - start);
    while (length > 0) {
        if (!differs(start + length - 1)) {
            --length;
        } else if (length <= 2 || differs(start + length - 2)) {
            break;
        } else {
            --length;
        }
    }
    return length;
}

// The positioning bytes that move the display to a column of the first two
// rows, and the register value they leave; rows beyond the second have none.
struct Positioning {
    std::array<std::uint8_t, 2> bytes{};
    int count = 0;
    int cursorRegister = kCursorUnknown;
};

std::optional<Positioning> positioningFor(int row, int column) {
    if (row > 1) return std::nullopt;
    const bool firstRow = row == 0;
    const int rowRegister = firstRow ? 0 : kSecondRowRegister;
    if (column == 0) return Positioning{{firstRow ? kHomeFirstRow : kHomeSecondRow, 0}, 1, rowRegister};
    const auto rowBase = firstRow ? kFirstRowPosition : kSecondRowPosition;
    return Positioning{{kSetPosition, static_cast<std::uint8_t>(rowBase + column)}, 2, rowRegister + column};
}

// Sends one block of a row: 0xEC, the positioning when the register is not
// there already, the characters, 0x00.
void sendBlock(FuncState& state, int row, int start, int length) {
    DisplayState& display = state.display;
    if (sendCommandByte(state, kbx::protocol::kDisplayStart) != 0) {
        display.cursorRegister = kCursorUnknown;
        return;
    }
    bool positioned = true;
    if (display.cursorRegister != row * kSecondRowRegister + start) {
        if (const std::optional<Positioning> positioning = positioningFor(row, start)) {
            for (int i = 0; i < positioning->count && positioned; ++i) {
                positioned = sendCommandByte(state, positioning->bytes[i]) == 0;
            }
            display.cursorRegister = positioned ? positioning->cursorRegister : kCursorUnknown;
        }
    }
    for (int column = start; positioned && column < start + length; ++column) {
        if (sendCommandByte(state, display.target[row][column]) != 0) {
            display.cursorRegister = kCursorUnknown;
            break;
        }
        display.shown[row][column] = display.target[row][column];
        if (display.cursorRegister != kCursorUnknown) ++display.cursorRegister;
    }
    // Rows beyond the second are written wherever the display stands, so the
    // register no longer says where that is.
    if (row > 1) display.cursorRegister = kCursorUnknown;
    sendCommandByte(state, kbx::protocol::kDisplayEnd);
}

bool showsTarget(const DisplayState& display) {
    for (int row = 0; row < display.rows; ++row) {
        if (firstDifference(display, row)) return false;
    }
    return true;
}

}  // namespace

void runUpdatePass(FuncState& state) {
    DisplayState& display = state.display;
    killAndClear(display.updateTimer);
    if (!display.open) return;
    bool sent = false;
    if (display.keyDelayTimer == 0) {
        for (int row = 0; row < display.rows; ++row) {
            const std::optional<int> start = firstDifference(display, row);
            if (!start) continue;
            sendBlock(state, row, *start, blockLength(display, row, *start));
            sent = true;
        }
    }
    if (sent && display.complete != nullptr && showsTarget(display)) {
        display.complete(kComplete);
        if (!display.open) return;  // the application closed the display meanwhile
    }
    startUpdateTimer(state);
}

void endKeyDelay(FuncState& state) { killAndClear(state.display.keyDelayTimer); }

void runRefresh(FuncState& state) {
    DisplayState& display = state.display;
    killAndClear(display.refreshTimer);
    if (!display.open) return;
    for (int row = 0; row < display.rows; ++row) {
        std::fill_n(display.shown[row].begin(), display.columns, kUnsentMark);
    }
    scheduleRefresh(state);
}

void startUpdateTimer(FuncState& state) {
    DisplayState& display = state.display;
    display.updateTimer =
        kbx::platform::setTimer(display.updateTimer, timerInterval(display.blockDelayMs), &updateTimerProc);
}

void scheduleRefresh(FuncState& state) {
    DisplayState& display = state.display;
    if (display.refreshIntervalMs == 0) {
        killAndClear(display.refreshTimer);
        return;
    }
    display.refreshTimer =
        kbx::platform::setTimer(display.refreshTimer, timerInterval(display.refreshIntervalMs), &refreshTimerProc);
}

void stopDisplayTimers(FuncState& state) {
    killAndClear(state.display.updateTimer);
    killAndClear(state.display.keyDelayTimer);
    killAndClear(state.display.refreshTimer);
}

void updateTimerProc(void*, unsigned, kbx::platform::TimerId, std::uint32_t) { runUpdatePass(state()); }
void keyTimerProc(void*, unsigned, kbx::platform::TimerId, std::uint32_t) { endKeyDelay(state()); }
void refreshTimerProc(void*, unsigned, kbx::platform::TimerId, std::uint32_t) { runRefresh(state()); }

}  // namespace kbxfunc
