#pragma once

// The editor's own lines, all beginning with "!": layer names, key and
// global print settings, key attribute words, keyboard and key sizes.

#include <string_view>

#include "editor/document/active_context.h"
#include "editor/persist/reader_state.h"

namespace kbxdoc::persist {

// Reads a line that begins with "!". A metadata line is taken (a line whose
// key does not exist is ignored); "!@" followed by a blank is dropped; any
// other comment line is kept.
void readCommentLine(ActiveContext& context, std::string_view line, ReaderState& state);

// The key named by the three characters of a metadata line: a row letter
// and a two-digit column number. Null when there is no such key.
KeyRecord* keyOfIdentifier(const ActiveContext& context, std::string_view identifier);

}  // namespace kbxdoc::persist
