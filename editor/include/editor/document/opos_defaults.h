#pragma once

// The lines a new layout made for point-of-sale (OPOS) use receives after
// its template has been read: every module's prefix and suffix send the
// point-of-sale token of that module, and the card reader reports a bad
// read as "Err#".

#include <array>
#include <functional>
#include <string_view>

namespace kbxdoc {

inline constexpr std::size_t kOposDefaultLineCount = 13;
const std::array<std::string_view, kOposDefaultLineCount>& oposDefaultLines();

// Passes the lines, in order, to a layout line reader as if read from a file.
void applyOposDefaults(const std::function<void(std::string_view)>& readLine);

}  // namespace kbxdoc
