#include "editor/persist/kept_lines.h"

#include <algorithm>

namespace kbxdoc::persist {

void keepLine(KeyboardData& keyboard, std::string_view line) {
    const std::string_view kept = line.substr(0, kKeptLineField - 1);
    auto& lines = keyboard.keptLines;
    const auto empty = std::find_if(lines.begin(), lines.end(), [](const std::string& entry) { return entry.empty(); });
    if (empty != lines.end()) {
        empty->assign(kept);
    } else if (lines.size() < static_cast<std::size_t>(kKeptLineCount)) {
        lines.emplace_back(kept);
    }
}

}  // namespace kbxdoc::persist
