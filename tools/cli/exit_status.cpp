#include "cli/exit_status.h"

#include <algorithm>
#include <cstdio>

namespace cli {

namespace {

constexpr std::string_view kHeading = "Exit status:\n";
constexpr std::size_t kHelpWidth = 79;
constexpr int kCodeIndent = 2;
constexpr std::size_t kCodeCapacity = 16;

}  // namespace

std::string exitStatusText(std::span<const ExitCode> codes) {
    int widest = 1;
    for (const ExitCode& entry : codes) widest = std::max(widest, std::snprintf(nullptr, 0, "%d", entry.code));
    // "  64  " : the meanings start in one column.
    const std::size_t meaningColumn = static_cast<std::size_t>(kCodeIndent + widest + kCodeIndent);
    const std::string indent(meaningColumn, ' ');
    std::string text(kHeading);
    for (const ExitCode& entry : codes) {
        char code[kCodeCapacity];
        std::snprintf(code, sizeof code, "%*s%-*d%*s", kCodeIndent, "", widest, entry.code, kCodeIndent, "");
        std::string line = code;
        std::string_view rest = entry.meaning;
        while (!rest.empty()) {
            const std::size_t end = rest.find(' ');
            const std::string_view word = rest.substr(0, end);
            if (line.size() > meaningColumn && line.size() + 1 + word.size() > kHelpWidth) {
                text += line + '\n';
                line = indent;
            } else if (line.size() > meaningColumn) {
                line += ' ';
            }
            line += word;
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        }
        text += line + '\n';
    }
    return text;
}

}  // namespace cli
