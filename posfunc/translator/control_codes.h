#pragma once

// What a key gives while Control is held.

#include <cstdint>

#include "posfunc/translator/language.h"

namespace kbxfunc {

// The control code of the make code on the language's keyboard, or 0 when
// the key gives none with Control.
std::uint8_t controlCharacter(Language language, std::uint8_t makeCode);

}  // namespace kbxfunc
