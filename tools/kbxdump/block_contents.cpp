#include "tools/kbxdump/block_contents.h"

#include <algorithm>

namespace kbxdump {
namespace {

constexpr std::size_t kConversionEntryHeader = 2;  // character, length
constexpr std::size_t kMinConversionBytes = 1;
constexpr std::size_t kMaxConversionBytes = 8;

}  // namespace

ConversionEntries readConversionEntries(std::span<const std::uint8_t> data) {
    ConversionEntries result;
    std::size_t at = 0;
    while (at < data.size()) {
        const std::size_t left = data.size() - at;
        if (left < kConversionEntryHeader) break;
        const std::size_t count = data[at + 1];
        if (count < kMinConversionBytes || count > kMaxConversionBytes || count > left - kConversionEntryHeader) break;
        const auto bytes = data.subspan(at + kConversionEntryHeader, count);
        result.entries.push_back({data[at], Bytes(bytes.begin(), bytes.end())});
        at += kConversionEntryHeader + count;
    }
    result.rest.assign(data.begin() + std::ptrdiff_t(at), data.end());
    return result;
}

ParameterEntries readParameterEntries(std::span<const std::uint8_t> data) {
    ParameterEntries result;
    std::size_t at = 0;
    for (; data.size() - at >= kParameterEntrySize; at += kParameterEntrySize) {
        ParameterEntry entry;
        std::copy_n(data.begin() + std::ptrdiff_t(at), kParameterEntrySize, entry.begin());
        result.entries.push_back(entry);
    }
    result.rest.assign(data.begin() + std::ptrdiff_t(at), data.end());
    return result;
}

}  // namespace kbxdump
