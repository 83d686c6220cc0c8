#pragma once

#include <cstddef>
#include <string>

namespace kbxbench {

// A layout source of at least `minimumLines` lines in the shape the editor
// writes: the keyboard-wide directives and print settings, then 31 layers of
// model Kesp (rows A-H, columns 1-16), each key of a layer with its caption
// (a "!@KEYPRINT" line), its key line and its "!@KEYATTRIB" line, then the
// lines the editor keeps (comments, metadata, directives) up to the wanted
// length. It compiles without errors: every layer has its own conditions,
// so the 3968 key definitions are distinct, they fit the keyboard memory,
// and repeated directives only set again what they set before.
std::string syntheticLayout(std::size_t minimumLines);

}  // namespace kbxbench
