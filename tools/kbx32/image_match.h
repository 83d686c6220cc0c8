#pragma once

// Whether the keyboard holds a compiled image already: its header (language,
// serial byte and image length, and the checksum of the memory from address
// 4 up to that length) against the image file's bytes.

#include <span>

#include "tools/kbx32/steps.h"

namespace kbx32 {

bool keyboardHoldsImage(const KeyboardHeader& header, std::span<const unsigned char> image);

}  // namespace kbx32
