#pragma once

#include "compiler/definition.h"

namespace kbxc {

class Diagnostics;
class LineCursor;

// Reads the condition and attribute list of a key line ("+S-C/K/A" ...) into
// the definition bytes, up to ":", a double quote or the end. False (after
// reporting) when the list holds something it cannot read; the rest of the
// line is then to be dropped.
bool readConditions(LineCursor& cursor, DefinitionBytes& definition, Diagnostics& diagnostics);

}  // namespace kbxc
