#pragma once

#include <cstddef>
#include <string>

namespace kbxdoc::persist {

// Lines are built in a bounded buffer; it holds the longest line the
// document's field limits allow (a key print line with a caption of
// kMaxCaptionLength characters and its print settings).
inline constexpr std::size_t kLineBufferSize = 1024;

// snprintf into a buffer of kLineBufferSize bytes; a longer result is cut.
std::string formatLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kbxdoc::persist
