#pragma once

// The files of the two commands: where the send-to-keyboard command writes
// its temporary layout, and under which name the save-and-test command
// writes the document and finds the compiler's log.

#include <QString>

namespace keyui::download {

inline constexpr char kTemporarySource[] = "TMP0815.KBF";
inline constexpr char kTemporaryLog[] = "TMP0815.LOG";
inline constexpr char kSourceExtension[] = ".KBF";
inline constexpr char kTestLogExtension[] = ".TXT";

// The path the save-and-test command writes: ".KBF" added when the file name
// has no extension, else the extension replaced unless its first four
// characters are exactly ".KBF" (letter case counts). An untitled document
// (empty path) gives ".KBF" in the current folder. Only the file name is
// looked at, so a dot in a folder name never changes the folder.
QString testSourcePath(const QString& documentPath);

// `path` with the extension of its file name replaced by `extension`, or
// with `extension` added when the file name has none (".KBF" alone is an
// extension).
QString withExtension(const QString& path, const QString& extension);

}  // namespace keyui::download
