#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "kbxdump/image.h"

// The entries inside the data of parameter blocks 6 and 8. Bytes that do not
// form a whole entry are handed back as the rest rather than guessed at.
namespace kbxdump {

struct ConversionEntry {
    std::uint8_t character = 0;
    Bytes bytes;  // 1-8 bytes
};

struct ConversionEntries {
    std::vector<ConversionEntry> entries;
    Bytes rest;  // from the first byte that starts no valid entry
};

// Block 6: per entry the character code, a length n (1-8) and n bytes.
ConversionEntries readConversionEntries(std::span<const std::uint8_t> data);

inline constexpr std::size_t kParameterEntrySize = 8;
using ParameterEntry = std::array<std::uint8_t, kParameterEntrySize>;

struct ParameterEntries {
    std::vector<ParameterEntry> entries;
    Bytes rest;  // fewer than 8 bytes at the end
};

// Block 8: entries of 8 bytes each.
ParameterEntries readParameterEntries(std::span<const std::uint8_t> data);

}  // namespace kbxdump
