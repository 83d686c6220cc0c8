#include "editor/persist/sorted_group.h"

#include <algorithm>

#include "editor/persist/text_scanner.h"

namespace kbxdoc::persist {

void SortedGroup::add(std::string line) {
    if (lines_.size() < kGroupCollectLimit) lines_.push_back(std::move(line));
}

std::vector<std::string> SortedGroup::sortedLines() && {
    std::vector<std::string> sorted = std::move(lines_);
    std::stable_sort(sorted.begin(), sorted.end(), lessIgnoringCase);
    if (sorted.size() > kGroupWriteLimit) sorted.resize(kGroupWriteLimit);
    return sorted;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(lowerAscii(x)) < static_cast<unsigned char>(lowerAscii(y));
    });
}

}  // namespace kbxdoc::persist
