#pragma once

// The characters of the keys that give one with AltGr, per language.

#include <cstdint>
#include <optional>

#include "posfunc/translator/language.h"

namespace kbxfunc {

// False for a language whose keyboard has no AltGr characters (US); there
// AltGr acts as Alt.
bool hasAltGrList(Language language);

// The character of the make code with AltGr, or nothing when the key has none.
std::optional<std::uint8_t> altGrCharacter(Language language, std::uint8_t makeCode);

}  // namespace kbxfunc
