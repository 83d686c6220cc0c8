#pragma once

namespace kbxdoc::persist {

// The keyboard-wide statements the editor writes at the top of a layout file.
enum class Statement { type, version, interface, sound, rate, language, hotkeys, mode, readerOptions };
inline constexpr int kStatementCount = 9;

}  // namespace kbxdoc::persist
