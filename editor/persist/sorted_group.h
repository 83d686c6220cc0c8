#pragma once

// A group of key lines that the layout file carries sorted: collected in
// slot order, ordered by a comparison of whole lines that ignores letter
// case, and written up to a fixed number of lines.

#include <cstddef>
#include <string>
#include <vector>

namespace kbxdoc::persist {

inline constexpr std::size_t kGroupCollectLimit = 400;  // lines a group collects
inline constexpr std::size_t kGroupWriteLimit = 399;    // lines a group writes

class SortedGroup {
public:
    // Lines past the collect limit are dropped.
    void add(std::string line);
    // The lines to write, sorted, at most kGroupWriteLimit of them; the
    // group gives its lines away.
    std::vector<std::string> sortedLines() &&;

private:
    std::vector<std::string> lines_;
};

bool lessIgnoringCase(const std::string& a, const std::string& b);

}  // namespace kbxdoc::persist
