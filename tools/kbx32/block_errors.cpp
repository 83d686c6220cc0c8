#include "tools/kbx32/block_errors.h"

#include <cstdio>

namespace kbx32 {
namespace {

// The interface library's message for a block that failed five times.
constexpr char kUploadErrorMessage[] = " Upload Error (%x)";
constexpr char kBlockErrorPrefix[] = "block error 0x%02X: ";
constexpr char kFrameRefused[] = "the keyboard did not take the read frame (send result 0x%02X)";
constexpr std::string_view kOverKeyboardPortNote = ", over the keyboard port";
constexpr std::size_t kTextCapacity = 96;

const BlockErrorRow* rowOf(int error) {
    for (const BlockErrorRow& row : kBlockErrors)
        if (row.error == error) return &row;
    return nullptr;
}

}  // namespace

std::string blockErrorText(int error) {
    char text[kTextCapacity];
    std::snprintf(text, sizeof text, kBlockErrorPrefix, unsigned(error));
    std::string line = text;
    if (const BlockErrorRow* row = rowOf(error)) return line + std::string(row->meaning);
    if (const BlockErrorRow* row = rowOf(error & ~kOverKeyboardPort); row && (error & kOverKeyboardPort) != 0)
        return line + std::string(row->meaning) + std::string(kOverKeyboardPortNote);
    std::snprintf(text, sizeof text, kFrameRefused, unsigned(error));
    return line + text;
}

std::optional<int> blockErrorOfMessage(std::string_view message) {
    const std::string text(message);
    unsigned error = 0;
    if (std::sscanf(text.c_str(), kUploadErrorMessage, &error) != 1) return std::nullopt;
    return int(error);
}

}  // namespace kbx32
