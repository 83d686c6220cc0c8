#pragma once

// Writing the document as a layout source file: the file's lines in their
// order, each ended by CR LF.

#include <string>

#include "editor/document/active_context.h"

namespace kbxdoc::persist {

inline constexpr char kLineEnd[] = "\r\n";

// The whole file for the context's keyboard data and layer table. Changes
// nothing.
std::string layoutText(const ActiveContext& context);

}  // namespace kbxdoc::persist

namespace kbxdoc {

// The save: the covered-key step, then the file written beside `path` and
// renamed over it. False when the file could not be written; an older file
// at `path` is then left as it was.
bool saveLayout(const ActiveContext& context, const std::string& path);

}  // namespace kbxdoc
