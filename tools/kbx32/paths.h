#pragma once

#include <string>
#include <string_view>

// Path names as kbx32 and the compiler build them. Only the last component
// of a path is its file name, and only the file name has an extension: the
// part from its last '.' on (".KBF" alone is an extension, as the editor
// writes an untitled layout).
namespace kbx32 {

// `path` with the extension of its file name replaced by `extension`
// (".TXT"), or with `extension` added when the file name has none.
std::string withExtension(std::string_view path, std::string_view extension);

// The compiled image beside a source.
inline constexpr std::string_view kImageExtension = ".kbx";

// The file the compiler reads for `source`: ".kbf" added when the file name
// has no extension.
std::string compiledSourcePath(std::string_view source);

// Whether `path` names a regular file that can be opened for reading, of a
// size a layout may have (not a folder, FIFO or device).
bool isReadableFile(const std::string& path);

}  // namespace kbx32
