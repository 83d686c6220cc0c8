#include "posfunc/display/customer_display.h"

#include <algorithm>

#include "format/keyboard_protocol.h"
#include "posfunc/commands/byte_transport.h"
#include "posfunc/display/display_commands.h"
#include "posfunc/display/display_protocol.h"
#include "posfunc/display/display_text.h"
#include "posfunc/display/display_update.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

constexpr int kFailed = 1;

void fillWithSpaces(DisplayImage& image) {
    for (auto& row : image) {
        std::fill_n(row.begin(), kDisplayImageColumns, kSpace);
        row[kDisplayImageColumns] = '\0';
    }
}

}  // namespace

int openDisplay(FuncState& state) {
    DisplayState& display = state.display;
    fillWithSpaces(display.target);
    fillWithSpaces(display.shown);
    if (sendDisplaySequence(state, {kClearDisplay}) != 0) return kFailed;
    display.cursorRegister = 0;  // clearing leaves the display at its first position
    display.open = true;
    startUpdateTimer(state);
    return 0;
}

int closeDisplay(FuncState& state) {
    if (!state.display.open) return kFailed;
    stopDisplayTimers(state);
    state.display.open = false;
    return 0;
}

int displayText(FuncState& state, char* text, int row, int value) {
    DisplayState& display = state.display;
    if (!display.open || text == nullptr || row < 0) return kFailed;
    if (row >= 1 && row <= display.rows) {
        writeDisplayText(display, text, row, value);
        return 0;
    }
    return runDisplayCommand(state, text, value);
}

int sendRawDisplaySequence(FuncState& state, const char* text) {
    if (text == nullptr) return kFailed;
    if (openCommandBracket(state) != 0) return kFailed;
    int failed = sendCommandByte(state, kbx::protocol::kDisplayStart);
    for (const char* p = text; failed == 0 && *p != '\0'; ++p) {
        failed = sendCommandByte(state, static_cast<std::uint8_t>(*p));
    }
    closeCommandBracket(state);
    return failed != 0 ? failed : sendCommandByte(state, kbx::protocol::kDisplayEnd);
}

int setDisplayComplete(FuncState& state, KbxfuncDisplayComplete callback) {
    if (!state.input.open) return kFailed;
    state.display.complete = callback;
    return 0;
}

}  // namespace kbxfunc
