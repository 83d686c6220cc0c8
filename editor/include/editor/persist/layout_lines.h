#pragma once

// Builders of the layout file's lines, each from the keyboard data (and the
// layer table for key lines). None of them changes anything; a line that is
// not to be written comes back empty (std::nullopt for the optional ones).

#include <optional>
#include <string>

#include "editor/document/active_context.h"
#include "editor/persist/statements.h"

namespace kbxdoc::persist {

// The fixed text of the version line.
inline constexpr char kWriterVersion[] = "LAYOMAT 1.8";

std::string typeLine(const KeyboardData& keyboard);
std::optional<std::string> memoryLine(const KeyboardData& keyboard);
std::string versionLine(const KeyboardData& keyboard);
std::string interfaceLine(const KeyboardData& keyboard);
std::string soundLine(const KeyboardData& keyboard);
std::string rateLine(const KeyboardData& keyboard);
std::string languageLine(const KeyboardData& keyboard);
std::string hotkeyLines(const KeyboardData& keyboard);  // two lines, CR LF between them
std::string modeLine(const KeyboardData& keyboard);
std::string readerOptionsLine(const KeyboardData& keyboard);
// The MODE switches the document has no setting for, after the reader
// options line (whose statement resets some mode bits).
std::optional<std::string> otherModeLine(const KeyboardData& keyboard);
std::string globalPrintLine(const KeyboardData& keyboard);
std::string keyboardSizeLine(const KeyboardData& keyboard);

// The keyboard-wide statements the editor writes. A file read without one of
// them keeps the compiler's default for it: the document remembers the line
// it would write, and the writer leaves that line out while it is unchanged.
std::string statementLine(const KeyboardData& keyboard, Statement statement);
// The statement line, or nothing when the file it was read from had none and it is unchanged.
std::optional<std::string> writtenStatementLine(const KeyboardData& keyboard, Statement statement);

// Key lines; std::nullopt when the key has nothing of that kind to write.
std::optional<std::string> keyPrintLine(const KeyRecord& key);
std::optional<std::string> keySizeLine(const KeyRecord& key);
std::string layerLine(const LayerDefinition& layer);
std::optional<std::string> keyProgrammingLine(const KeyRecord& key, int slot, const LayerDefinition& layer,
                                              int layerIndex);
std::optional<std::string> keyAttributesLine(const KeyRecord& key, int slot, int layerIndex);

// The name a key line starts with: the key identifier, or for slots 186-199
// the pseudo-key name.
std::string keyLineName(const KeyRecord& key, int slot);

}  // namespace kbxdoc::persist
