#pragma once

// Reading a layout source file back into the document: every line in file
// order through one line reader that never fails; lines it does not
// interpret are kept and written back at the end of the file.

#include <cstddef>
#include <string>
#include <string_view>

#include "editor/document/active_context.h"
#include "editor/persist/reader_state.h"

namespace kbxdoc::persist {

// Reads every line of `text` (CR LF, LF or CR line ends) with one reader
// state; the number of lines that were not empty.
std::size_t readLayoutText(ActiveContext& context, std::string_view text);

// What a file held, judged after readLayoutText read its `text` into `read`
// (kept lines cleared before, `lines` its answer). A layout is text: a NUL
// byte marks a file of another kind; a text of which the reader kept every
// line holds nothing a layout has. An empty file may stand for a new layout
// (the editor opens it as one) or for nothing at all; the caller decides.
enum class LayoutContent { layout, empty, binary, noLayoutLine };
LayoutContent layoutContentOf(std::string_view text, std::size_t lines, const KeyboardData& read);

}  // namespace kbxdoc::persist

namespace kbxdoc {

// One line without its line end. A NUL byte ends the line.
void readLayoutLine(ActiveContext& context, std::string_view line, persist::ReaderState& state);

// The point-of-sale defaults read into the document as if they stood in its
// file; their keys take make/break and no restore from the layer they land on.
void readOposDefaults(ActiveContext& context);

// The open: the file is read, the keyboard data reset, the kept lines
// cleared, then every line goes through the line reader. False (nothing
// changed) when the file cannot be read.
bool loadLayout(ActiveContext& context, const std::string& path);

}  // namespace kbxdoc
