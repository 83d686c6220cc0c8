#pragma once

#include <cstddef>
#include <string>

namespace kbxbench {

// A layout source of at least `minimumLines` lines in the shape the editor
// writes: directives, 128 keys (model Kesp, rows A-H, columns 1-16) on 23
// layers (seven named ones and 16 scroll-lock combinations) with short texts
// and their metadata lines, then comment, metadata
// and repeated directive lines up to the wanted length. It compiles without
// errors: every key line has its own conditions, and repeated directives
// only set again what they set before.
std::string syntheticLayout(std::size_t minimumLines);

}  // namespace kbxbench
