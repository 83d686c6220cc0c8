#pragma once

// The keyboard-wide statements of a layout file that the editor takes back
// into its document: LANGUAGE, INTERFACE, SOUND, DEFINE (kept as it is),
// HOTKEY0/HOTKEY1, MODE, MSR, RATE, TYPE, VERSION and MEMORY.

#include <string_view>

#include "editor/document/active_context.h"
#include "editor/persist/reader_state.h"

namespace kbxdoc::persist {

// True when the line begins with one of the statements (letter case
// ignored) and was taken; false leaves the line to the key line parser.
// The statement is marked as seen in the reader state.
bool readDirectiveLine(ActiveContext& context, std::string_view line, ReaderState& state);

// After the last line: the hot-key statement counts as there only when the
// file has both hot keys.
void finishHotkeys(KeyboardData& keyboard, ReaderState& state);

}  // namespace kbxdoc::persist
