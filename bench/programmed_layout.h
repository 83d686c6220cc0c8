#pragma once

// A fully programmed layout for the benchmarks: every free layer named, and
// every key with a caption and 178 characters of programming on all 16
// layers.

#include <string_view>

#include "editor/document/keyboard_data.h"

namespace kbxbench {

// The free layer definitions get names and condition words of their own:
// the lock keys in combinations that no default layer uses, so that the
// reader finds every layer again by its conditions.
void nameEveryLayer(kbxdoc::LayerTable& layers);

// Each laid-out key of slots 0-184 gets the caption "Key" + separator + its
// slot number and a different programming text on every layer.
void programEveryKey(kbxdoc::KeyboardData& keyboard, std::string_view captionSeparator);

}  // namespace kbxbench
