#pragma once

#include <string_view>
#include <vector>

#include "compiler/definition.h"

namespace kbxc {

struct CompileState;
class LineCursor;

// A keyword of three characters whose third is a digit, 'H' or 'T' starts a
// key line (A01, M1H, KLT); any other keyword is a directive.
constexpr bool isKeyLine(std::string_view keyword) {
    if (keyword.size() != 3) return false;
    const char third = keyword[2];
    return (third >= '0' && third <= '9') || third == 'H' || third == 'T';
}

// Compiles one key line (key identifier and its argument text) into a key
// definition, or into the built-in definitions of a navigation macro.
void compileKeyLine(std::string_view keyword, LineCursor& cursor, CompileState& state);

// How an insertion went: a definition with the same mask and state is an
// assignment made twice; the new one replaces it.
enum class Insertion { added, replaced };

// Inserts a definition into a key's list, kept ordered by mask (descending,
// unsigned) and then by state (ascending).
Insertion insertDefinition(std::vector<KeyDefinition>& list, KeyDefinition definition);

// The key index of a key-line keyword on a model, or -1.
int keyIndexForKeyword(int model, std::string_view keyword);

}  // namespace kbxc
