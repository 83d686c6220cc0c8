#pragma once

#include "compiler/conversion/convert.h"
#include "compiler/definition.h"

namespace kbxc {

class Diagnostics;
class LineCursor;

// Reads the programming part of a line (quoted texts, "#n" characters, "%n"
// raw bytes, separated by blanks, commas or colons) and converts it into the
// bytes of one definition, at most kMaxProgrammingBytes. Errors are reported
// and what was read before them is kept.
ProgrammingBytes readProgramming(LineCursor& cursor, DefinitionBytes& definition, bool hexadecimalBase,
                                 const ConversionSettings& settings, Diagnostics& diagnostics);

// A collected programming text holds at most this many characters.
inline constexpr std::size_t kMaxCollectedText = 240;

}  // namespace kbxc
